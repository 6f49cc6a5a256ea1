#include "dialogs/memberbinding.h"

#include "dialogs/dataexchange.h"

namespace {

MemberBinding binding(int controlId, const char* field, MemberBinding::Kind kind,
                      std::variant<int*, std::int16_t*, float*> member, double minimum,
                      double maximum)
{
    return {controlId, QString::fromLatin1(field), kind, member, minimum, maximum};
}

QString storeInteger(const MemberBinding& binding, std::optional<int> value)
{
    if (!value) {
        return integerMessage();
    }
    if (*value < binding.minimum || *value > binding.maximum) {
        return intRangeMessage(static_cast<int>(binding.minimum), static_cast<int>(binding.maximum));
    }
    if (binding.kind == MemberBinding::Kind::Int16) {
        *std::get<std::int16_t*>(binding.member) = static_cast<std::int16_t>(*value);
    } else {
        *std::get<int*>(binding.member) = *value;
    }
    return {};
}

QString storeReal(const MemberBinding& binding, std::optional<float> value)
{
    if (!value) {
        return numberMessage();
    }
    const auto minimum = static_cast<float>(binding.minimum);
    const auto maximum = static_cast<float>(binding.maximum);
    if (*value < minimum || *value > maximum) {
        return floatRangeMessage(minimum, maximum);
    }
    *std::get<float*>(binding.member) = *value;
    return {};
}

} // namespace

MemberBinding bindInt(int controlId, const char* field, int& member, int minimum, int maximum)
{
    return binding(controlId, field, MemberBinding::Kind::Int, &member, minimum, maximum);
}

MemberBinding bindInt16(int controlId, const char* field, std::int16_t& member, int minimum,
                        int maximum)
{
    return binding(controlId, field, MemberBinding::Kind::Int16, &member, minimum, maximum);
}

MemberBinding bindFloat(int controlId, const char* field, float& member, float minimum,
                        float maximum)
{
    return binding(controlId, field, MemberBinding::Kind::Float, &member, minimum, maximum);
}

MemberBinding bindCheck(int controlId, const char* field, int& member)
{
    return binding(controlId, field, MemberBinding::Kind::Check, &member, 0, 1);
}

QString memberText(const MemberBinding& binding)
{
    switch (binding.kind) {
    case MemberBinding::Kind::Int16:
        return formatInt(*std::get<std::int16_t*>(binding.member));
    case MemberBinding::Kind::Float:
        return formatFloat(*std::get<float*>(binding.member));
    case MemberBinding::Kind::Int:
    case MemberBinding::Kind::Check:
        break;
    }
    return formatInt(*std::get<int*>(binding.member));
}

bool memberChecked(const MemberBinding& binding)
{
    return *std::get<int*>(binding.member) != 0;
}

QString storeText(const MemberBinding& binding, const QString& text)
{
    switch (binding.kind) {
    case MemberBinding::Kind::Int16:
        return storeInteger(binding, parseInt16(text));
    case MemberBinding::Kind::Float:
        return storeReal(binding, parseFloat(text));
    case MemberBinding::Kind::Int:
    case MemberBinding::Kind::Check:
        break;
    }
    return storeInteger(binding, parseInt(text));
}

void storeChecked(const MemberBinding& binding, bool checked)
{
    *std::get<int*>(binding.member) = checked ? 1 : 0;
}
