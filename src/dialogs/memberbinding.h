#pragma once

#include <QString>

#include <cstdint>
#include <variant>

// One row of a dialog's member table: the control that shows a member, the member itself and,
// for an edit field, the inclusive range OK checks it against.
struct MemberBinding {
    enum class Kind { Int, Int16, Float, Check };

    int controlId = 0;
    QString field; // the member's name without "m_", as batch scripts name it
    Kind kind = Kind::Int;
    std::variant<int*, std::int16_t*, float*> member;
    // Every int and float is exact in a double, so comparing against these compares in the
    // member's own type: a float field's bounds are single-precision numbers.
    double minimum = 0.0;
    double maximum = 0.0;
};

MemberBinding bindInt(int controlId, const char* field, int& member, int minimum, int maximum);
// The value is checked against the bounds widened to int, once it fits in 16 bits.
MemberBinding bindInt16(int controlId, const char* field, std::int16_t& member, int minimum,
                        int maximum);
MemberBinding bindFloat(int controlId, const char* field, float& member, float minimum,
                        float maximum);
// A check box's member holds 0 (clear) or 1 (checked).
MemberBinding bindCheck(int controlId, const char* field, int& member);

// Loading: the text an edit field opens with, and whether a check box opens checked.
QString memberText(const MemberBinding& binding);
bool memberChecked(const MemberBinding& binding);

// Saving: converts an edit field's text to the member's type, checks its range and stores it.
// Returns the framework's message when the text is refused; the member is then untouched.
QString storeText(const MemberBinding& binding, const QString& text);
void storeChecked(const MemberBinding& binding, bool checked);
