#pragma once

// The QtTest side of the core's case tables (the *cases.h files): one data row a case, named by
// the case, and the comparisons that show what differed.

#include "core/calendar.h"
#include "core/result.h"

#include <QTest>
#include <chrono>
#include <string_view>

// The data rows of a case table: a row a case, holding its index.
template <typename Table>
void addCaseRows(const Table& table)
{
    QTest::addColumn<int>("index");
    int index = 0;
    for (const auto& c : table) {
        QTest::newRow(c.name) << index++;
    }
}

// The case of the row being run.
template <typename Table>
const auto& currentCase(const Table& table)
{
    QFETCH(int, index);
    return table[index];
}

namespace QTest {
template <>
inline char* toString(const quorvel::Date& date)
{
    const std::chrono::year_month_day ymd{date};
    return qstrdup(QString::asprintf("%d-%02u-%02u", static_cast<int>(ymd.year()),
                                     static_cast<unsigned>(ymd.month()),
                                     static_cast<unsigned>(ymd.day()))
                       .toLatin1());
}
template <>
inline char* toString(const quorvel::DatingError& error)
{
    return qstrdup(quorvel::describe(error));
}
template <>
inline char* toString(const std::string_view& text)
{
    return toString(QByteArray(text.data(), qsizetype(text.size())));
}
} // namespace QTest

// The result is refused with that error.
#define QUORVEL_REFUSED(result, expected)                                                          \
    do {                                                                                           \
        const auto refused = (result);                                                             \
        QVERIFY2(!refused.ok(), "gave a value");                                                   \
        QCOMPARE(refused.error(), expected);                                                       \
    } while (false)
