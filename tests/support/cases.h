#pragma once

// Table cases of parameterised suites: names, so that each case reports on its own line and can
// be run alone (--gtest_filter='*/TheQueueRefusesTheJob'), and readable printouts of their values.
// GoogleTest takes letters, digits and '_' in a name.

#include <QList>
#include <QString>
#include <cctype>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

namespace pomiro::testing {

// "the queue refuses, saved on its paper" -> "TheQueueRefusesSavedOnItsPaper": each word starts
// with a capital; what is neither a letter nor a digit only separates words.
inline std::string caseName(std::string_view words)
{
    std::string name;
    bool wordStart = true;
    for (const char c : words) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || !std::isalnum(byte)) {
            wordStart = true;
            continue;
        }
        name += wordStart ? char(std::toupper(byte)) : c;
        wordStart = false;
    }
    return name.empty() ? std::string("Unnamed") : name;
}

// A text as a case name, spelled out so that two texts never share one: "\\-3,500" ->
// "YenMinus3Comma500", "" -> "Empty"; a character without a word of its own by its code
// ("禁" -> "U7981").
inline std::string spelledName(const QString &text)
{
    if (text.isEmpty())
        return "Empty";
    std::string name;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80 && std::isalnum(int(c))) {
            name += char(c);
            continue;
        }
        switch (c) {
        case U'\\':
            name += "Yen";
            break;
        case U'¥':
            name += "YenSign";
            break;
        case U'￥':
            name += "FullWidthYen";
            break;
        case U'-':
            name += "Minus";
            break;
        case U'+':
            name += "Plus";
            break;
        case U'.':
            name += "Point";
            break;
        case U',':
            name += "Comma";
            break;
        case U' ':
            name += "Space";
            break;
        case U'\t':
            name += "Tab";
            break;
        case U'　':
            name += "FullWidthSpace";
            break;
        case U'"':
            name += "Quote";
            break;
        case U'(':
            name += "Open";
            break;
        case U')':
            name += "Close";
            break;
        default: {
            char code[16];
            std::snprintf(code, sizeof code, "U%04X", unsigned(c));
            name += code;
        }
        }
    }
    return name;
}

// A table case that says what it is. Derived case structs start with the description:
// `{"the queue refuses the job", ...}`; it names the case (see whatName) and is what GoogleTest
// prints for the case's value.
struct Described
{
    const char *what;
};

template <typename Case>
requires std::is_base_of_v<Described, Case>
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.what;
}

// The name generator of INSTANTIATE_TEST_SUITE_P for Described cases.
inline constexpr auto whatName = [](const auto &info) { return caseName(info.param.what); };

// A table case about one text, which names it: `{u"\\-3,500"_s, ...}`.
struct TextCase
{
    QString text;
};

template <typename Case>
requires std::is_base_of_v<TextCase, Case>
void PrintTo(const Case &c, std::ostream *out)
{
    *out << '"' << c.text.toStdString() << '"';
}

// The name generator for TextCase cases, and for cases that are a bare QString.
inline constexpr auto textName = [](const auto &info) {
    if constexpr (std::is_base_of_v<TextCase, std::decay_t<decltype(info.param)>>)
        return spelledName(info.param.text);
    else
        return spelledName(info.param);
};

} // namespace pomiro::testing

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
