#include "core/cp932.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using pomiro::cp932::byteLength;
using pomiro::cp932::decode;
using pomiro::cp932::encode;
using pomiro::cp932::storedForm;

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// Text that must reach the file as these exact bytes and read back as the same text.
TEST(Cp932, RoundTripsTextAsExactBytes)
{
    struct Case
    {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {u""_s, {}},
        {u"abc 123"_s, hex("61626320313233")},
        {u"\\1,500"_s, hex("5c312c353030")},
        {u"~"_s, hex("7e")},
        {u"禁煙"_s, hex("8bd6898c")},
        {u"ｱｲｳ｡"_s, hex("b1b2b3a1")},
        {u"　５００"_s, hex("8140 8254 824f 824f")},
        {u"～∥－￠￡￢―"_s, hex("8160 8161 817c 8191 8192 81ca 815c")},
        {u"＼①ⅰ"_s, hex("815f8740fa40")},
        {QString(QChar(0)), hex("00")},
    };
    for (const Case &c : cases) {
        const auto bytes = encode(c.text);
        ASSERT_TRUE(bytes) << c.text.toStdString();
        EXPECT_EQ(*bytes, c.bytes) << c.text.toStdString();
        const auto text = decode(c.bytes);
        ASSERT_TRUE(text) << c.text.toStdString();
        EXPECT_EQ(*text, c.text);
        EXPECT_EQ(storedForm(c.text), c.text);
    }
}

// What users type on Linux for characters that CP932 keeps in another form.
TEST(Cp932, TypedFormsBecomeTheirCp932Counterparts)
{
    const std::pair<char16_t, QByteArray> cases[] = {
        {u'\u00A5', hex("5c")},   {u'\u301C', hex("8160")}, {u'\u2016', hex("8161")},
        {u'\u2212', hex("817c")}, {u'\u00A2', hex("8191")}, {u'\u00A3', hex("8192")},
        {u'\u00AC', hex("81ca")}, {u'\u2014', hex("815c")},
    };
    for (const auto &[character, bytes] : cases) {
        const QString typed = u"名"_s + QChar(character) + u"前"_s;
        const auto encoded = encode(typed);
        ASSERT_TRUE(encoded) << int(character);
        EXPECT_EQ(*encoded, hex("96bc") + bytes + hex("914f")) << int(character);
        EXPECT_EQ(byteLength(character), bytes.size()) << int(character);
        // What the file gives back is what a typed name is compared in.
        EXPECT_EQ(storedForm(typed), decode(*encoded).value()) << int(character);
        EXPECT_NE(storedForm(typed), typed) << int(character);
    }
}

TEST(Cp932, RefusesTheFirstCharacterItCannotHold)
{
    struct Case
    {
        QString text;
        qsizetype position;
        char32_t character;
    };
    const Case cases[] = {
        {u"€"_s, 0, U'€'},
        {u"ab€c😀"_s, 2, U'€'},
        {u"禁煙😀"_s, 2, U'😀'},
        {u"한"_s, 0, U'한'},
        // iconv writes U+203E as 0x7E, which reads back as "~": refused, not altered.
        {u"x‾"_s, 1, U'‾'},
        {u"a"_s + QChar(0xD800) + u"b"_s, 1, char32_t{0xD800}},
        {u"a"_s + QChar(0xDC00), 1, char32_t{0xDC00}},
    };
    for (const Case &c : cases) {
        const auto bytes = encode(c.text);
        ASSERT_FALSE(bytes) << c.text.toStdString();
        EXPECT_EQ(bytes.error().position, c.position) << c.text.toStdString();
        EXPECT_EQ(bytes.error().character, c.character) << c.text.toStdString();
    }
}

TEST(Cp932, InvalidBytesAreAnErrorAtTheirOffset)
{
    const std::pair<QByteArray, qsizetype> cases[] = {
        {hex("80"), 0},       {hex("41a0"), 1},   {hex("4142fd"), 2},
        {hex("ff"), 0},       {hex("8bd681"), 2}, // lead byte with nothing after it
        {hex("8bd68120"), 2},                     // lead byte with a trail byte that is not one
    };
    for (const auto &[bytes, offset] : cases) {
        const auto text = decode(bytes);
        ASSERT_FALSE(text) << bytes.toHex().toStdString();
        EXPECT_EQ(text.error().offset, offset) << bytes.toHex().toStdString();
    }
}

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

TEST(Cp932, ByteLengthPerCharacter)
{
    const std::pair<char32_t, int> cases[] = {
        {U'A', 1},  {U'\\', 1}, {U'ｱ', 1}, {U'ﾟ', 1}, {U'あ', 2}, {U'　', 2},
        {U'５', 2}, {U'￥', 2}, {U'€', 0}, {U'😀', 0}, {U'‾', 0},  {char32_t{0xD800}, 0},
    };
    for (const auto &[character, length] : cases)
        EXPECT_EQ(byteLength(character), length) << int(character);
}

} // namespace
