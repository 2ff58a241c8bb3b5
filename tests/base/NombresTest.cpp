#include "base/Nombres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orv {
namespace {

TEST(FormatNombre, MotifsDeLaGrille) {
    EXPECT_EQ(FormatNombre(2.0, "###0.00", '.'), "2.00");
    EXPECT_EQ(FormatNombre(130.8996, "###0.0", ','), "130,9");
    EXPECT_EQ(FormatNombre(0.5, "###0", '.'), "1");
    EXPECT_EQ(FormatNombre(0.125, "###0.00", '.'), "0.13");
    EXPECT_EQ(FormatNombre(-0.001, "###0.00", '.'), "0.00");
    EXPECT_EQ(FormatNombre(-2.345, "###0.00", '.'), "-2.35");
    EXPECT_EQ(FormatNombre(9.999, "###0.00", '.'), "10.00");
    EXPECT_EQ(FormatNombre(123.456789, "00000.0000", '.'), "00123.4568");
    EXPECT_EQ(FormatNombre(0.00004, "##0.0000", '.'), "0.0000");
    EXPECT_EQ(FormatNombre(0.00005, "##0.0000", '.'), "0.0001");
    EXPECT_EQ(FormatNombre(0.0, "###0.0000", ','), "0,0000");
    EXPECT_EQ(FormatNombre(1234567.0, "###0", '.'), "1234567");
    EXPECT_EQ(FormatNombre(0.049, "###0.0", '.'), "0.0");
}

TEST(TexteNombre, FormeParDefaut) {
    EXPECT_EQ(TexteNombre(0.5, ','), "0,5");
    EXPECT_EQ(TexteNombre(2.5, '.'), "2.5");
    EXPECT_EQ(TexteNombre(-1234.25, ','), "-1234,25");
    EXPECT_EQ(TexteNombre(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(TexteNombre(1e20, '.'), "1E+20");
    EXPECT_EQ(TexteNombre(0.0001, '.'), "0.0001");
    EXPECT_EQ(TexteNombre(100.0, '.'), "100");
    EXPECT_EQ(NombreFichier(3.0, ','), " 3 ");
    EXPECT_EQ(NombreFichier(-1.5, ','), "-1,5 ");
}

TEST(LitDecimal, AccepteVirguleOuPoint) {
    EXPECT_DOUBLE_EQ(LitDecimal("1,2345"), LitDecimal("1.2345"));
    EXPECT_DOUBLE_EQ(LitDecimal("  0,5 µm"), 0.5);
    EXPECT_DOUBLE_EQ(LitDecimal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LitDecimal(""), 0.0);
    EXPECT_DOUBLE_EQ(LitDecimal("-3e2x"), -300.0);
    EXPECT_DOUBLE_EQ(LitDecimal("12e"), 12.0);
    EXPECT_FALSE(LitNombreStrict("12a").has_value());
    EXPECT_DOUBLE_EQ(*LitNombreStrict(" 2,5 "), 2.5);
    EXPECT_FALSE(LitEntierStrict("1.5").has_value());
    EXPECT_FALSE(LitEntierStrict("").has_value());
    EXPECT_EQ(*LitEntierStrict(" 64 "), 64);
}

TEST(Arrondi32, MoitiesEtBornes) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr auto max = std::numeric_limits<std::int32_t>::max();
    constexpr auto min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(Arrondi32(2.5), 3);
    EXPECT_EQ(Arrondi32(-2.5), -3);
    EXPECT_EQ(Arrondi32(1.49), 1);
    EXPECT_EQ(Arrondi32(3e9), max);
    EXPECT_EQ(Arrondi32(-3e9), min);
    EXPECT_EQ(Arrondi32(inf), max);
    EXPECT_EQ(Arrondi32(-inf), min);
    EXPECT_EQ(Arrondi32(std::nan("")), 0);
}

TEST(LitDecimal, HorsDePorteeDUnDouble) {
    // Too small: zero. Too large: no number, never an infinity.
    for (const std::string& t :
         {std::string("1e-400"), std::string("-2,5E-999"), "0." + std::string(400, '0') + "1"}) {
        ASSERT_TRUE(LitNombreStrict(t).has_value()) << t;
        EXPECT_EQ(*LitNombreStrict(t), 0.0) << t;
    }
    for (const std::string& t :
         {std::string("1e999"), std::string("-1e309"), "1" + std::string(400, '0'),
          std::string("9e99999999999999999999")})
        EXPECT_FALSE(LitNombreStrict(t).has_value()) << t;
    EXPECT_EQ(LitDecimal("1e999"), 0.0);
}

TEST(NombreFichierExact, ChaqueChiffreRevient) {
    for (double v : {0.1 / 3, 0.0177, 1.0, 123456.789012345678, 2e-7, 4.5e17, -0.3}) {
        for (char sep : {',', '.'}) {
            const std::string s = NombreFichierExact(v, sep);
            ASSERT_TRUE(LitNombreStrict(s).has_value()) << s;
            EXPECT_EQ(*LitNombreStrict(s), v) << s;
        }
    }
    EXPECT_EQ(NombreFichierExact(0.0177, ','), " 0,0177 ");
}

} // namespace
} // namespace orv
