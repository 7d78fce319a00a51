#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

// A radio on the far side of a pseudo-terminal. It answers the programming protocol
// from a memory image of its own: "PROGRAM" is acknowledged, the identification request
// gets the model code, read commands get the memory's bytes, write commands store them,
// and the end byte closes the session. With a baud rate set it paces every byte it
// receives and sends as a serial line of that speed would (11 bits a byte: 8N2); with 0
// it answers at once. Faults can be injected to try out how the program copes.
//
// The radio serves from its own thread (Start) or from the caller's (Run).
class RadioSim
{
public:
    enum class FaultKind {
        NoHandshakeAck,    // "PROGRAM" is not acknowledged
        NoIdent,           // the identification request is not answered
        UnknownModel,      // the radio reports a model code no catalogue knows
        NoAck,             // the acknowledge for block N is not sent
        StrayHandshakeAck, // a stray byte comes ahead of the handshake acknowledge
        StrayAck,          // a stray byte comes ahead of a transfer acknowledge
        Split,             // every reply comes in small pieces with gaps between them
        Garbage,           // 100 bytes of noise come in place of the data reply for block N
        Hangup,            // the line goes dead at block N, as when the cable is pulled
    };
    struct Fault
    {
        FaultKind kind = FaultKind::Split;
        // The block (0 to 45, at radio address 8 x N) the fault acts on; -1 for the
        // acknowledge of the transfer start (StrayAck, NoAck).
        int block = 0;
    };

    // Parses "KIND" or "KIND@N" as the command line gives it.
    static bool ParseFault(const QString &text, Fault *fault, QString *error);
    // The fault names with what each does, for the help text.
    static QString FaultHelp();

    static constexpr int MemorySize = 0x1B0;

    RadioSim();
    ~RadioSim();
    RadioSim(const RadioSim &) = delete;
    RadioSim &operator=(const RadioSim &) = delete;

    // The memory from radio address 0; an erased radio (all 0xFF) unless set.
    void SetMemory(const QByteArray &memory);
    QByteArray Memory() const;
    // Four characters; "6105" unless set.
    void SetModelCode(const QByteArray &code);
    // Bits a second on the simulated line; 0 answers at once.
    void SetBaud(int baud);
    void AddFault(const Fault &fault);
    // Faults act in the first `sessions` sessions only; -1 (the default) in every one.
    void SetFaultSessions(int sessions);

    // Creates the pseudo-terminal.
    bool Open(QString *error);
    // The terminal the program opens.
    QString TerminalPath() const;
    // Keeps a symbolic link at path pointing to the terminal, also to a new terminal
    // after a hang-up. Removed when the radio is destroyed.
    bool SetLink(const QString &path, QString *error);

    // Serves in the calling thread until RequestStop, or with once until the first
    // session has ended.
    bool Run(bool once, QString *error);
    // Serves in a thread of its own until Stop.
    void Start();
    // Asks the serving loop to end; safe from a signal handler.
    void RequestStop();
    // Ends the serving thread and waits for it.
    void Stop();

    // Every byte the radio has taken in from the line, across sessions.
    QByteArray Received() const;
    void ClearReceived();
    // Sessions that have come to an end (by the end byte, a hang-up, a new handshake
    // or a long silence).
    int SessionsEnded() const;
    int Hangups() const;

    // Called in the serving thread when a session ended with the end byte after blocks
    // were written into the memory.
    std::function<void(const QByteArray &memory)> OnWritten;
    // Called in the serving thread with the new terminal after a hang-up.
    std::function<void(const QString &path)> OnNewTerminal;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
