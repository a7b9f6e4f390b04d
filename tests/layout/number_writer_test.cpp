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
    const auto sig = Digits::significant, dec = Digits::decimals;
    for (const Row& r : ::curvalia::testing::rows(
             Row{2.0 / 3, sig(15), kItalian, "0,666666666666667"},
             Row{2.0 / 3, sig(15), kC, "0.666666666666667"},
             Row{1234567.5, sig(15), kItalian, "1234567,5"},
             Row{-1234567.5, sig(15), kC, "-1234567.5"}, Row{1e-5, sig(15), kItalian, "1E-05"},
             Row{1.5e16, sig(6), kItalian, "1,5E+16"}, Row{-0.0, sig(15), kItalian, "0"},
             Row{1234567.5, dec(3), kItalian, "1234567,500"}, Row{-2.26, dec(1), kItalian, "-2,3"},
             Row{-0.004, dec(2), kItalian, "0,00"}, Row{-0.006, dec(2), kItalian, "-0,01"},
             Row{-0.4, dec(0), kC, "0"}, Row{-0.0, dec(2), kC, "0.00"},
             Row{-1e-17, dec(1), kItalian, "0,0"})) {
        const QLocale locale(r.language);
        EXPECT_EQ(interfaceNumber(r.value, r.digits, locale).toStdString(), r.text)
            << r.value << " in " << locale.name().toStdString();
    }
}

} // namespace
} // namespace curvalia::layout
