#pragma once

// The QtTest side of the core's shared cases: each test function runs one group of them, one
// data row a case, named by the case.

#include "tests/core/corecases.h"

#include <QTest>

namespace quorvel::corecases {

inline void addCaseRows(Group group)
{
    QTest::addColumn<int>("index");
    const std::vector<Case> list = cases(group);
    for (std::size_t i = 0; i < list.size(); ++i) {
        QTest::newRow(list[i].name.c_str()) << static_cast<int>(i);
    }
}

inline void checkCaseRow(Group group)
{
    QFETCH(int, index);
    const std::string failure = cases(group).at(static_cast<std::size_t>(index)).failure();
    QVERIFY2(failure.empty(), failure.c_str());
}

// For a group of one case, which needs no rows.
inline void checkOnlyCase(Group group)
{
    const std::vector<Case> list = cases(group);
    QCOMPARE(list.size(), std::size_t(1));
    const std::string failure = list.front().failure();
    QVERIFY2(failure.empty(), failure.c_str());
}

} // namespace quorvel::corecases

// A test function and its rows, running the group's cases.
#define QUORVEL_CORE_CASES(TestClass, function, group)                                             \
    void TestClass::function##_data()                                                              \
    {                                                                                              \
        quorvel::corecases::addCaseRows(quorvel::corecases::Group::group);                         \
    }                                                                                              \
    void TestClass::function()                                                                     \
    {                                                                                              \
        quorvel::corecases::checkCaseRow(quorvel::corecases::Group::group);                        \
    }
