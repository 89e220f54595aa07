// Every text the main window's message boxes show, word for word.

#include "main_window/texts.h"

#include "tests/support/cases.h"
#include "tests/support/qtapp.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace pomiro;
using namespace Qt::StringLiterals;
using pomiro::testing::Described;
using pomiro::testing::whatName;

DataFileError error(DataFileError::Kind kind)
{
    DataFileError e;
    e.kind = kind;
    return e;
}

DataFileError unwritable(EntryField field, char32_t character, qsizetype entry = -1)
{
    DataFileError e = error(DataFileError::Kind::UnwritableText);
    e.field = field;
    e.character = character;
    e.entry = entry;
    return e;
}

Result<LoadReport, DataFileError> loaded(LoadStop stop)
{
    return LoadReport{stop, false};
}

struct TextCase : Described
{
    QString text;
    QString expected;
};

std::vector<TextCase> textCases()
{
    const Entries stored = {{u"禁煙"_s, {}}, {u"<b>酒</b>"_s, {}}};
    return {
        {"saved new", texts::savedNew(u"禁煙"_s), u"禁煙を登録しました。"_s},
        {"updated", texts::updated(u"禁煙"_s), u"禁煙を更新しました。"_s},
        {"delete question", texts::deleteQuestion(u"禁煙"_s),
         u"禁煙のデータを削除していいですか？"_s},
        {"deleted", texts::deleted(u"禁煙"_s), u"禁煙を削除しました。"_s},
        {"not a number", texts::amountError(AmountError::NotANumber),
         u"金額を数字で入力してください。"_s},
        {"out of range", texts::amountError(AmountError::OutOfRange),
         u"金額の桁が多すぎます。桁の少ない金額を入力してください。"_s},

        {"counter", texts::counter(12, 300), u"12 / 300"_s},
        {"entry shown", texts::shownEntry(u"コーヒー"_s, u"2 / 2"_s), u"コーヒー 2 / 2"_s},
        {"no entry shown", texts::shownEntry(QString(), u"0 / 0"_s), u"0 / 0"_s},
        {"scroll bar", texts::scrollBarDescription(u"禁煙 1 / 2"_s),
         u"禁煙 1 / 2。左右の矢印キーで、保存してあるぽみろを順に表示します"_s},

        {"all read", texts::loadNotice(loaded(LoadStop::EndOfFile), 12), QString()},
        {"more than 300", texts::loadNotice(loaded(LoadStop::TableFull), 300),
         u"「データ.txt」には300件を超える「ぽみろ」があります。はじめの300件だけを表示します。"
         u"ファイルはそのまま残してあります。"_s},
        {"cut short", texts::loadNotice(loaded(LoadStop::IncompleteEntry), 2),
         u"「データ.txt」の途中に読めないところがありました。はじめの2件だけを表示します。"
         u"ファイルはそのまま残してあります。"_s},
        {"not CP932", texts::loadNotice(loaded(LoadStop::Undecodable), 0),
         u"「データ.txt」の途中に読めないところがありました。はじめの0件だけを表示します。"
         u"ファイルはそのまま残してあります。"_s},
        {"unreadable at start", texts::loadNotice(fail(error(DataFileError::Kind::ReadFailed)), 0),
         u"「データ.txt」を読み込めませんでした。ファイルはそのまま残してあります。"
         u"読み込めるか確かめてから、もう一度起動してください。"_s},
        {"not created at start",
         texts::loadNotice(fail(error(DataFileError::Kind::WriteFailed)), 0),
         u"「データ.txt」を作れませんでした。このフォルダーに書き込めるか確かめてから、"
         u"もう一度起動してください。"_s},

        {"301st entry",
         texts::fileError(error(DataFileError::Kind::TableFull), FileChange::Save, stored),
         u"登録できるぽみろは300件までです。不要なぽみろを削除してから保存してください。"_s},
        {"quote in a typed name",
         texts::fileError(unwritable(EntryField::Name, U'"'), FileChange::Save, stored),
         u"「ぽみろ」の文字「\"」(U+0022)"
         u"は保存できません。この文字を消すか別の文字に置き換えてから、"
         u"もう一度保存してください。"_s},
        {"emoji in a typed amount",
         texts::fileError(unwritable(EntryField::Week, U'😀'), FileChange::Save, stored),
         u"「１週間」の文字「😀」(U+1F600)"
         u"は保存できません。この文字を消すか別の文字に置き換えてから、"
         u"もう一度保存してください。"_s},
        {"stored entry the file cannot hold",
         texts::fileError(unwritable(EntryField::Year, U'€', 1), FileChange::Delete, stored),
         u"保存されている「<b>酒</b>」に、ファイルに書き込めない文字「€」(U+20AC)があるため、"
         u"削除できませんでした。ファイルは変更されていません。「<b>酒</b>」を削除するか、"
         u"「データ.txt」を直してから、もう一度お試しください。"_s},
        {"unreadable",
         texts::fileError(error(DataFileError::Kind::ReadFailed), FileChange::Save, stored),
         u"「データ.txt」を読み込めないため、保存できませんでした。ファイルは変更されていません。"
         u"ファイルを確かめてから、もう一度起動してください。"_s},
        {"not written",
         texts::fileError(error(DataFileError::Kind::WriteFailed), FileChange::Delete, stored),
         u"データを削除できませんでした。ファイルは変更されていません。"
         u"「データ.txt」に書き込めるか確かめてから、もう一度削除してください。"_s},
        {"disk full",
         texts::fileError(error(DataFileError::Kind::DiskFull), FileChange::Save, stored),
         u"ディスクの空きが足りないため、データを保存できませんでした。ファイルは変更されていません"
         u"。"
         u"不要なファイルを削除して空きを作ってから、もう一度保存してください。"_s},
        {"changed elsewhere",
         texts::fileError(error(DataFileError::Kind::ChangedElsewhere), FileChange::Delete, stored),
         u"「データ."
         u"txt」がほかのプログラムかウィンドウで変更されていました。一覧を読み直しましたので、"
         u"もう一度削除してください。"_s},
    };
}

class MainWindowTexts : public ::testing::TestWithParam<TextCase>
{};

TEST_P(MainWindowTexts, SayExactlyThis)
{
    EXPECT_EQ(GetParam().text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Messages, MainWindowTexts, ::testing::ValuesIn(textCases()), whatName);

} // namespace
