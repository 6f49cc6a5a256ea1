#pragma once

#include <clocale>
#include <locale.h>

// While it lives, the C library's number conversions on this thread use the "C" locale (a
// decimal point), whatever the user's locale: point and sample files are exchanged between
// machines and must read the same everywhere.
class CLocaleScope {
public:
    CLocaleScope()
    {
        if (m_locale != nullptr) {
            m_previous = uselocale(m_locale);
        }
    }
    ~CLocaleScope()
    {
        if (m_locale != nullptr) {
            uselocale(m_previous);
            freelocale(m_locale);
        }
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_locale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
    locale_t m_previous = nullptr;
};
