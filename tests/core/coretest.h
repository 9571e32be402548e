#pragma once

#include "core/calendar.h"
#include "coredays.h"

#include <QMetaType>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <string_view>

// The bytes of a text column as the library reads them, and the library's text as bytes.
inline std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}
inline QByteArray bytes(std::string_view text)
{
    return {text.data(), static_cast<qsizetype>(text.size())};
}

Q_DECLARE_METATYPE(quorvel::Date)

namespace QTest {
// Failed date comparisons print the day as year-month-day.
template <>
inline char* toString(const quorvel::Date& date)
{
    const std::chrono::year_month_day ymd{date};
    char text[32];
    std::snprintf(text, sizeof text, "%d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return qstrdup(text);
}
} // namespace QTest
