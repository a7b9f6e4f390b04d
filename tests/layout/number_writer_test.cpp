// Numbers as the windows write them for the user, in an Italian and in the
// C locale.
#include "layout/NumberWriter.h"

#include "support/table_rows.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace curvalia::layout {
namespace {

struct Row {
    double value;
    Digits digits;
    QLocale::Language language;
    const char* text;
};

const auto kItalian = QLocale::Italian;
const auto kC = QLocale::C;

TEST(InterfaceNumber, WritesTheLocalesSeparatorAndNoMinusOnZero) {
    for (const Row& r : ::curvalia::testing::rows(
             Row{2.0 / 3, Digits::significant(15), kItalian, "0,666666666666667"},
             Row{2.0 / 3, Digits::significant(15), kC, "0.666666666666667"},
             Row{1234567.5, Digits::significant(15), kItalian, "1234567,5"},
             Row{-1234567.5, Digits::significant(15), kC, "-1234567.5"},
             Row{1e-5, Digits::significant(15), kItalian, "1E-05"},
             Row{1.5e16, Digits::significant(6), kItalian, "1,5E+16"},
             Row{-0.0, Digits::significant(15), kItalian, "0"},
             Row{1234567.5, Digits::decimals(3), kItalian, "1234567,500"},
             Row{-2.26, Digits::decimals(1), kItalian, "-2,3"},
             Row{-0.004, Digits::decimals(2), kItalian, "0,00"},
             Row{-0.006, Digits::decimals(2), kItalian, "-0,01"},
             Row{-0.4, Digits::decimals(0), kC, "0"}, Row{-0.0, Digits::decimals(2), kC, "0.00"},
             Row{-1e-17, Digits::decimals(1), kItalian, "0,0"})) {
        const QLocale locale(r.language);
        EXPECT_EQ(interfaceNumber(r.value, r.digits, locale).toStdString(), r.text)
            << r.value << " in " << locale.name().toStdString();
    }
}

} // namespace
} // namespace curvalia::layout
