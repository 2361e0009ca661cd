// Compile To WrkFile: the open playlist, as it is in memory, into the work file the module loads.

#include "app/MainForm.h"

#include "app/ChooserFolder.h"
#include "formats/WorkFile.h"
#include "views/ListViewColumns.h"

#include <QFileInfo>

using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString WorkFileFilter = QStringLiteral("wrk File(*.wrk);;All File(*.*)");
const QString WorkFileSuffix = QStringLiteral("wrk");
const QString SizeQuestion = QStringLiteral("Wrk File Size > 1Mbyte, Save or No?");
const QString SizeQuestionCaption = QStringLiteral("Warining");
} // namespace

void TFormMain::ActFile_SaveToWrkFileExecute() {
    if (!ThePlayList)
        return;
    const QString path = Seam().ChooseFile(
        this, FileDialogRequest{QStringLiteral("SaveDialog"), QStringLiteral("Compile To WrkFile"),
                                WorkFileFilter, WorkFileSuffix,
                                ChooserStartFolder({FileDialogs.SaveDialogWrk,
                                                    CurrentPlayListPath(), CurrentArchivePath()}),
                                FileDialogs.SaveDialogWrk, true});
    if (path.isEmpty())
        return;
    FileDialogs.SaveDialogWrk = path;
    if (QFileInfo::exists(path) &&
        ShowResMessage(orlamo::MessageId::CoverFile, orlamo::MessageId::Warning,
                       MessageButtons::YesNo, MessageIcon::Question) != orlamo::ButtonResult::Yes)
        return;
    // The limit counts the sound data only, not the header and the table.
    if (ThePlayList->TotalSize() > static_cast<std::int64_t>(orlamo::WorkFileSizeLimit) &&
        ShowTextMessage(SizeQuestion, SizeQuestionCaption, MessageButtons::YesNo,
                        MessageIcon::Warning) != orlamo::ButtonResult::Yes)
        return;

    // The compiler checks every wave afresh and writes all or nothing.
    const orlamo::CompileResult compiled =
        orlamo::CompileWorkFile(ToCore(path), ThePlayList->AllSlots());
    if (!compiled.Ok)
        ShowTextMessage(QStringLiteral("The Wrk File %1 was not written.\n\n%2")
                            .arg(path, FromCore(compiled.Message)),
                        FromCore(orlamo::ResString(orlamo::MessageId::Warning)), MessageButtons::Ok,
                        MessageIcon::Warning);
}
