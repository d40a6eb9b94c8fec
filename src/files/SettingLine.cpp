#include "files/SettingLine.h"

#include "files/ReadLeadingNumber.h"
#include "render/Palette.h"

#include <algorithm>
#include <limits>

namespace {

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

enum class Kind { Colour, Integer, Number, Single, Interval };

struct Setting {
    const char16_t* key;   // in upper case, "=" included
    Kind kind;
    QRgb ProgramState::*colour = nullptr;
    int16_t ProgramState::*integer = nullptr;
    double ProgramState::*number = nullptr;
    float ProgramState::*single = nullptr;
    double upper = 0;   // range rule of a number: first the upper limit, then the lower
    double lower = 0;
};

Setting ColourKey(const char16_t* key, QRgb ProgramState::*colour)
{
    return {key, Kind::Colour, colour};
}

Setting IntegerKey(const char16_t* key, int16_t ProgramState::*integer)
{
    return {key, Kind::Integer, nullptr, integer};
}

Setting NumberKey(const char16_t* key, double ProgramState::*number, double upper, double lower)
{
    return {key, Kind::Number, nullptr, nullptr, number, nullptr, upper, lower};
}

const Setting kSettings[] = {
    ColourKey(u"ONDOKEIMEMORI=", &ProgramState::ThermometerTickColor),
    ColourKey(u"ONDOKEIGLASS=", &ProgramState::ThermometerGlassColor),
    ColourKey(u"ONDOKEIGLASSWAKU=", &ProgramState::ThermometerFrameColor),
    ColourKey(u"ONDOKEIEKI=", &ProgramState::ThermometerLiquidColor),
    ColourKey(u"ONDOKEIMOZI=", &ProgramState::ThermometerTextColor),
    ColourKey(u"VORUMEDAMEMORI=", &ProgramState::BarometerTickColor),
    ColourKey(u"VORUMEDAGLASS=", &ProgramState::BarometerGlassColor),
    ColourKey(u"VORUMEDAGLASSWAKU=", &ProgramState::BarometerFrameColor),
    ColourKey(u"VORUMEDAEKI=", &ProgramState::BarometerLiquidColor),
    ColourKey(u"VORUMEDAMOZI=", &ProgramState::BarometerTextColor),
    ColourKey(u"GRPHBACK=", &ProgramState::GraphBackColor),
    ColourKey(u"GRPHMEMORI=", &ProgramState::GraphTickColor),
    ColourKey(u"GRPHYOKOMOZI=", &ProgramState::GraphAxisTextColor),
    IntegerKey(u"KION=", &ProgramState::TemperatureProbe),
    NumberKey(u"ZIDOU=", &ProgramState::ThermometerAuto, kNoLimit, -kNoLimit),
    NumberKey(u"MAX=", &ProgramState::ThermometerMax, 120, -30),
    NumberKey(u"MIN=", &ProgramState::ThermometerMin, 120, -30),
    IntegerKey(u"VORUM=", &ProgramState::PressureStep),
    {u"ZIDOU2=", Kind::Single, nullptr, nullptr, nullptr, &ProgramState::BarometerAuto},
    NumberKey(u"MAX2=", &ProgramState::BarometerMax, 1200, 800),
    NumberKey(u"MIN2=", &ProgramState::BarometerMin, 1100, 700),
    {u"ZIKAN=", Kind::Interval, nullptr, &ProgramState::MinuteMode},
    IntegerKey(u"PORT=", &ProgramState::PortNumber),
};

void ApplyRange(double& value, double upper, double lower)
{
    if (value > upper)
        value = upper;
    if (value < lower)
        value = lower;
}

} // namespace

QString PrepareLine(QStringView line)
{
    qsizetype start = 0;
    while (start < line.size()
           && (line[start] == u' ' || line[start] == u'\t' || line[start] == u'\u3000'))
        ++start;
    return line.sliced(start).toString().toUpper();
}

LineResult ApplySettingLine(ProgramState& state, QStringView prepared)
{
    const auto setting = std::find_if(std::begin(kSettings), std::end(kSettings), [&](const Setting& s) {
        return prepared.startsWith(QStringView(s.key));
    });
    if (setting == std::end(kSettings))
        return LineResult::NotMine;

    const std::optional<int16_t> value =
        ReadLeadingNumber(prepared.sliced(QStringView(setting->key).size()));
    switch (setting->kind) {
    case Kind::Colour:
        if (!value || *value < 0 || *value >= static_cast<int>(kPalette.size()))
            return LineResult::Failed;
        state.*setting->colour = kPalette[static_cast<size_t>(*value)];
        return LineResult::Stored;
    case Kind::Integer:
        if (value)
            state.*setting->integer = *value;
        break;
    case Kind::Number:
        if (value)
            state.*setting->number = *value;
        ApplyRange(state.*setting->number, setting->upper, setting->lower);
        break;
    case Kind::Single:
        if (value)
            state.*setting->single = static_cast<float>(*value);
        break;
    case Kind::Interval:
        // A value that does not fit 16 bits gives the minute interval.
        state.*setting->integer = (!value || *value == 1) ? 1 : 0;
        break;
    }
    return value ? LineResult::Stored : LineResult::Failed;
}
