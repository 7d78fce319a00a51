#include "MacType.h"

#include "app/All.h"

TMacType::TMacType(const QString &code, int channelCount, const QString &name)
    : Code(code), Name(name), ChannelCount(channelCount)
{
}

void TMacType::SetFreqRange(double lowest, double highest)
{
    MinFreq = lowest;
    MaxFreq = highest;
}

void TMacType::AddBand(const QString &text)
{
    Bands.append(text);
}

void TMacType::SetDefaultBand(const QString &text)
{
    DefaultBand = text;
}

void TMacList::Add(std::unique_ptr<TMacType> model)
{
    m_models.push_back(std::move(model));
}

const TMacType *TMacList::ByIndex(int i) const
{
    return i >= 0 && i < Count() ? m_models[size_t(i)].get() : nullptr;
}

const TMacType *TMacList::FindByName(const QString &name) const
{
    for (const auto &m : m_models)
        if (m->Name == name)
            return m.get();
    return nullptr;
}

const TMacType *TMacList::FindByCode(const QString &code) const
{
    for (const auto &m : m_models)
        if (m->Code == code)
            return m.get();
    return nullptr;
}

const TMacType *TMacList::FindByBand(const QString &band) const
{
    for (const auto &m : m_models)
        if (m->Bands.contains(band))
            return m.get();
    return nullptr;
}

void TMacList::FillNames(QStringList &names) const
{
    names.clear();
    for (const auto &m : m_models)
        names.append(m->Name);
}

void TFrqList::AddBand(const QString &text, int code)
{
    m_rows.append({text, code});
}

int TFrqList::CodeOf(const QString &text) const
{
    for (const auto &r : m_rows)
        if (r.first == text)
            return r.second;
    return m_rows.isEmpty() ? FallbackBandCode : m_rows.first().second;
}

QString TFrqList::TextOf(int code) const
{
    for (const auto &r : m_rows)
        if (r.second == code)
            return r.first;
    return QString::fromLatin1(FallbackBandText);
}

bool TFrqList::HasCode(int code) const
{
    for (const auto &r : m_rows)
        if (r.second == code)
            return true;
    return false;
}

void FillBandTable()
{
    static const struct
    {
        const char *text;
        int code;
    } rows[] = {
        {" 27 -  72MHz", 253}, {"136 - 150MHz", 241}, {"136 - 174MHz", 242}, {"150 - 174MHz", 240},
        {"216 - 223MHz", 243}, {"350 - 370MHz", 250}, {"350 - 390MHz", 251}, {"370 - 390MHz", 252},
        {"400 - 420MHz", 248}, {"400 - 470MHz", 247}, {"440 - 480MHz", 249}, {"450 - 470MHz", 244},
        {"450 - 490MHz", 245}, {"470 - 650MHz", 246},
    };
    myFrqList->Clear();
    for (const auto &r : rows)
        myFrqList->AddBand(QString::fromLatin1(r.text), r.code);
}

void FillModelCatalogue()
{
    myAll->Title = QStringLiteral("TQ-6105s");
    myAll->SerialEditable = true;
    myMacList->Clear();

    auto uhf = std::make_unique<TMacType>(QStringLiteral("6105"), 16, myAll->Title + QStringLiteral("(UHF)"));
    uhf->SetFreqRange(300, 650);
    for (const char *b : {"350 - 370MHz", "350 - 390MHz", "370 - 390MHz", "400 - 420MHz", "400 - 470MHz",
                          "440 - 480MHz", "450 - 470MHz", "450 - 490MHz", "470 - 650MHz"})
        uhf->AddBand(QString::fromLatin1(b));
    uhf->SetDefaultBand(QStringLiteral("450 - 470MHz"));
    myMacList->Add(std::move(uhf));

    auto vhf = std::make_unique<TMacType>(QStringLiteral("5105"), 16, myAll->Title + QStringLiteral("(VHF)"));
    vhf->SetFreqRange(67, 300);
    for (const char *b : {"136 - 150MHz", "136 - 174MHz", "150 - 174MHz", "216 - 223MHz"})
        vhf->AddBand(QString::fromLatin1(b));
    vhf->SetDefaultBand(QStringLiteral("150 - 174MHz"));
    myMacList->Add(std::move(vhf));
}

void ApplyModelBand(int bandCode, bool adoptBand)
{
    QString text = myFrqList->TextOf(bandCode);
    const TMacType *model = myMacList->FindByBand(text);
    if (!model) {
        // A band of the table that no model can have (the 27 - 72 MHz row) is taken
        // like a code the table does not know, so the session always has a model.
        text = QString::fromLatin1(FallbackBandText);
        model = myMacList->FindByBand(text);
    }
    myAll->CurMacType = model;
    myAll->ModelName = model->Name;
    myAll->ModelCode = model->Code;
    myAll->ModelMaxFreq = model->MaxFreq;
    myAll->ModelMinFreq = model->MinFreq;
    myAll->ChannelCount = model->ChannelCount;
    myAll->BandText = model->DefaultBand;
    if (adoptBand) {
        myAll->BandText = text;
        const BandLimits l = ParseBandLimits(text);
        myAll->BandMinFreq = l.min;
        myAll->BandMaxFreq = l.max;
    }
}

BandLimits ParseBandLimits(const QString &text)
{
    BandLimits l;
    const int p = text.indexOf(u'-');
    if (p < 0)
        return l;
    l.min = text.left(p).trimmed().toDouble();
    QString rest = text.mid(p + 1);
    const int q = rest.indexOf(QLatin1String("MHz"));
    if (q >= 0)
        rest = rest.left(q);
    l.max = rest.trimmed().toDouble();
    return l;
}
