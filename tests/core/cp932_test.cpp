#include "core/cp932.h"

#include "tests/support/cases.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using pomiro::cp932::byteLength;
using pomiro::cp932::decode;
using pomiro::cp932::encode;
using pomiro::cp932::storedForm;
using pomiro::testing::Described;
using pomiro::testing::whatName;

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// Text that must reach the file as these exact bytes and read back as the same text.
struct RoundTrip : Described
{
    QString text;
    QByteArray bytes;
};

class Cp932RoundTrip : public ::testing::TestWithParam<RoundTrip>
{};

TEST_P(Cp932RoundTrip, TextBecomesExactBytesAndReadsBack)
{
    const RoundTrip &c = GetParam();
    const auto bytes = encode(c.text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, c.bytes);
    const auto text = decode(c.bytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, c.text);
    EXPECT_EQ(storedForm(c.text), c.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, Cp932RoundTrip, ::testing::Values(
        RoundTrip{"empty", u""_s, {}},
        RoundTrip{"ASCII", u"abc 123"_s, hex("61626320313233")},
        RoundTrip{"amount", u"\\1,500"_s, hex("5c312c353030")},
        RoundTrip{"tilde", u"~"_s, hex("7e")},
        RoundTrip{"kanji", u"禁煙"_s, hex("8bd6898c")},
        RoundTrip{"half-width katakana", u"ｱｲｳ｡"_s, hex("b1b2b3a1")},
        RoundTrip{"full-width space and digits", u"　５００"_s, hex("8140 8254 824f 824f")},
        RoundTrip{"CP932 forms of symbols", u"～∥－￠￡￢―"_s, hex("8160 8161 817c 8191 8192 81ca 815c")},
        RoundTrip{"NEC and IBM extensions", u"＼①ⅰ"_s, hex("815f8740fa40")},
        RoundTrip{"NUL", QString(QChar(0)), hex("00")}),
    whatName);
// clang-format on

// What users type on Linux for characters that CP932 keeps in another form.
struct TypedForm : Described
{
    char16_t character;
    QByteArray bytes;
};

class Cp932TypedForm : public ::testing::TestWithParam<TypedForm>
{};

TEST_P(Cp932TypedForm, BecomesItsCp932Counterpart)
{
    const TypedForm &c = GetParam();
    const QString typed = u"名"_s + QChar(c.character) + u"前"_s;
    const auto encoded = encode(typed);
    ASSERT_TRUE(encoded);
    EXPECT_EQ(*encoded, hex("96bc") + c.bytes + hex("914f"));
    EXPECT_EQ(byteLength(c.character), c.bytes.size());
    // What the file gives back is what a typed name is compared in.
    EXPECT_EQ(storedForm(typed), decode(*encoded).value());
    EXPECT_NE(storedForm(typed), typed);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Characters, Cp932TypedForm, ::testing::Values(
        TypedForm{"yen sign", u'\u00A5', hex("5c")},
        TypedForm{"wave dash", u'\u301C', hex("8160")},
        TypedForm{"double vertical line", u'\u2016', hex("8161")},
        TypedForm{"minus sign", u'\u2212', hex("817c")},
        TypedForm{"cent sign", u'\u00A2', hex("8191")},
        TypedForm{"pound sign", u'\u00A3', hex("8192")},
        TypedForm{"not sign", u'\u00AC', hex("81ca")},
        TypedForm{"em dash", u'\u2014', hex("815c")}),
    whatName);
// clang-format on

struct Unencodable : Described
{
    QString text;
    qsizetype position;
    char32_t character;
};

class Cp932Refuses : public ::testing::TestWithParam<Unencodable>
{};

TEST_P(Cp932Refuses, TheFirstCharacterItCannotHold)
{
    const Unencodable &c = GetParam();
    const auto bytes = encode(c.text);
    ASSERT_FALSE(bytes);
    EXPECT_EQ(bytes.error().position, c.position);
    EXPECT_EQ(bytes.error().character, c.character);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, Cp932Refuses, ::testing::Values(
        Unencodable{"euro alone", u"€"_s, 0, U'€'},
        Unencodable{"euro before an emoji", u"ab€c😀"_s, 2, U'€'},
        Unencodable{"emoji after kanji", u"禁煙😀"_s, 2, U'😀'},
        Unencodable{"hangul", u"한"_s, 0, U'한'},
        // iconv writes U+203E as 0x7E, which reads back as "~": refused, not altered.
        Unencodable{"overline", u"x‾"_s, 1, U'‾'},
        Unencodable{"lone high surrogate", u"a"_s + QChar(0xD800) + u"b"_s, 1, char32_t{0xD800}},
        Unencodable{"lone low surrogate at the end", u"a"_s + QChar(0xDC00), 1, char32_t{0xDC00}}),
    whatName);
// clang-format on

struct InvalidBytes : Described
{
    QByteArray bytes;
    qsizetype offset;
};

class Cp932InvalidBytes : public ::testing::TestWithParam<InvalidBytes>
{};

TEST_P(Cp932InvalidBytes, AreAnErrorAtTheirOffset)
{
    const auto text = decode(GetParam().bytes);
    ASSERT_FALSE(text);
    EXPECT_EQ(text.error().offset, GetParam().offset);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bytes, Cp932InvalidBytes, ::testing::Values(
        InvalidBytes{"byte 80", hex("80"), 0},
        InvalidBytes{"a0 after a letter", hex("41a0"), 1},
        InvalidBytes{"fd after two letters", hex("4142fd"), 2},
        InvalidBytes{"byte ff", hex("ff"), 0},
        InvalidBytes{"lead byte with nothing after it", hex("8bd681"), 2},
        InvalidBytes{"lead byte with a trail byte that is not one", hex("8bd68120"), 2}),
    whatName);
// clang-format on

// Whatever a data file holds and reads must be writable again, or a rewrite would refuse to save
// a file that loaded fine. Every single- and double-byte sequence that decodes is tried.
TEST(Cp932, EverythingDecodedEncodesAgain)
{
    int decoded = 0;
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            QByteArray bytes(1, static_cast<char>(first));
            if (second >= 0)
                bytes += static_cast<char>(second);
            const auto text = decode(bytes);
            if (!text)
                continue;
            ++decoded;
            const auto again = encode(*text);
            ASSERT_TRUE(again) << bytes.toHex().toStdString();
            ASSERT_EQ(decode(*again).value(), *text) << bytes.toHex().toStdString();
            for (const char32_t c : text->toUcs4())
                ASSERT_EQ(byteLength(c), (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2)
                    << bytes.toHex().toStdString();
        }
    }
    EXPECT_GT(decoded, 7000); // the JIS X 0208 set alone
}

struct Length : Described
{
    char32_t character;
    int length;
};

class Cp932ByteLength : public ::testing::TestWithParam<Length>
{};

TEST_P(Cp932ByteLength, PerCharacter)
{
    EXPECT_EQ(byteLength(GetParam().character), GetParam().length);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Characters, Cp932ByteLength, ::testing::Values(
        Length{"letter", U'A', 1},
        Length{"backslash", U'\\', 1},
        Length{"half-width katakana", U'ｱ', 1},
        Length{"half-width sound mark", U'ﾟ', 1},
        Length{"hiragana", U'あ', 2},
        Length{"full-width space", U'　', 2},
        Length{"full-width digit", U'５', 2},
        Length{"full-width yen", U'￥', 2},
        Length{"euro", U'€', 0},
        Length{"emoji", U'😀', 0},
        Length{"overline", U'‾', 0},
        Length{"lone surrogate", char32_t{0xD800}, 0}),
    whatName);
// clang-format on

} // namespace
