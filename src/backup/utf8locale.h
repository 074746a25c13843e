#pragma once

#include <clocale>
#include <locale.h>

// For as long as it lives, this thread reads and writes multibyte text as
// UTF-8, whatever the locale the program was started in: the archive
// library turns entry names through it, and a pay slip named « février.rpt »
// must go in and come out of a backup by that name under LANG=C too.
class Utf8Locale
{
public:
    Utf8Locale()
        : m_utf8(::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr)))
    {
        if (m_utf8)
            m_previous = ::uselocale(m_utf8);
    }
    ~Utf8Locale()
    {
        if (m_utf8) {
            ::uselocale(m_previous);
            ::freelocale(m_utf8);
        }
    }
    Utf8Locale(const Utf8Locale &) = delete;
    Utf8Locale &operator=(const Utf8Locale &) = delete;

private:
    locale_t m_utf8;
    locale_t m_previous = LC_GLOBAL_LOCALE;
};
