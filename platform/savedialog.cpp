#include "platform/savedialog.h"

#include "core/savefile.h"
#include "platform/messagebox.h"
#include "platform/printtexts.h"
#include "platform/systemdialogs.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace pomiro {

namespace {

// Qt's save dialog, labelled in our words.
const QString kLookIn = QStringLiteral("保存先:");
const QString kFileName = QStringLiteral("ファイル名:");
const QString kFileType = QStringLiteral("ファイルの種類:");
const QString kSaveButton = QStringLiteral("保存");
const QString kCancelButton = QStringLiteral("キャンセル");

QString replaceQuestion(const QString &fileName)
{
    return QStringLiteral("「%1」はすでにあります。置き換えていいですか？").arg(fileName);
}

} // namespace

QString askSavePathInDialog(QWidget *window, const SaveDialogKind &kind, const QString &proposed)
{
    const bool ownDialog = !systemFileChooserAvailable();
    QFileDialog dialog(window, kind.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kind.filter);
    dialog.setDefaultSuffix(kind.suffix);
    // In Qt's own dialog, the question before replacing a file is ours, in our words.
    dialog.setOption(QFileDialog::DontUseNativeDialog, ownDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, ownDialog);
    dialog.setLabelText(QFileDialog::LookIn, kLookIn);
    dialog.setLabelText(QFileDialog::FileName, kFileName);
    dialog.setLabelText(QFileDialog::FileType, kFileType);
    dialog.setLabelText(QFileDialog::Accept, kSaveButton);
    dialog.setLabelText(QFileDialog::Reject, kCancelButton);
    dialog.setDirectory(QFileInfo(proposed).absolutePath());
    dialog.selectFile(QFileInfo(proposed).fileName());
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().constFirst();
        if (!ownDialog || !QFileInfo::exists(path) ||
            confirm(window, kind.title, replaceQuestion(QFileInfo(path).fileName())))
            return path;
    }
    return {};
}

bool saveAndTell(QWidget *window, const QString &path, const WriteContent &write,
                 const QString &kind, const QString &title)
{
    const Result<void, SaveError> saved = replaceFileWith(path, write);
    if (!saved) {
        // The message says what to do; the system's own words go to the log for whoever looks
        // further.
        qWarning().noquote() << path << ':' << saved.error().detail;
        warn(window, kSaveFailedTitle, printtexts::saveFailed(kind, saved.error().diskFull));
        return false;
    }
    inform(window, title, printtexts::saved(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace pomiro
