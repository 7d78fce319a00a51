#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>

// One radio model of the line.
class TMacType
{
public:
    TMacType(const QString &code, int channelCount, const QString &name);

    void SetFreqRange(double lowest, double highest);
    void AddBand(const QString &text);
    void SetDefaultBand(const QString &text);

    QString Code;
    QString Name;
    int ChannelCount = 0;
    double MaxFreq = 0;
    double MinFreq = 0;
    QStringList Bands;
    QString DefaultBand;
};

// The model catalogue, in insertion order. Searches compare whole strings exactly.
class TMacList
{
public:
    void Add(std::unique_ptr<TMacType> model);
    const TMacType *ByIndex(int i) const;
    const TMacType *FindByName(const QString &name) const;
    const TMacType *FindByCode(const QString &code) const;
    const TMacType *FindByBand(const QString &band) const;
    void FillNames(QStringList &names) const;
    int Count() const { return int(m_models.size()); }
    void Clear() { m_models.clear(); }

private:
    std::vector<std::unique_ptr<TMacType>> m_models;
};

// The band table: every band text with its one-byte code, in insertion order.
class TFrqList
{
public:
    void AddBand(const QString &text, int code);
    int CodeOf(const QString &text) const;
    QString TextOf(int code) const;
    bool HasCode(int code) const;
    int Count() const { return int(m_rows.size()); }
    QPair<QString, int> Row(int i) const { return m_rows.at(i); }
    void Clear() { m_rows.clear(); }

private:
    QList<QPair<QString, int>> m_rows;
};

// Band code used for a band text that is not in the table, and band used for a code
// that is not in the table.
constexpr int FallbackBandCode = 253;
inline const char *const FallbackBandText = "440 - 480MHz";

void FillBandTable();
void FillModelCatalogue();

// Makes a band code and its model current in the session state.
void ApplyModelBand(int bandCode, bool adoptBand);

struct BandLimits
{
    double min = 0;
    double max = 0;
};
BandLimits ParseBandLimits(const QString &text);
