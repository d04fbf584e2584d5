// Saving the tree: soon after the user's edits, at the close and at the end of the Windows
// session, and the data file's save and load commands with the daily backup.
#include "base/Exception.h"
#include "base/Path.h"
#include "main/Main.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/FileSystem.h"
#include "ui/System.h"

namespace lantern {

void TLanternMain::SaveEditsSoon() {
  // Saved about a second after the last edit (at the latest ten seconds after the first one
  // while edits go on), so that a crash or a kill loses at most that; never in the middle of
  // a drag, a dialog, the sweep or a name being typed. A failed save is told once and tried
  // again every half minute.
  constexpr int QuietTicks = 5, LongestTicks = 50, RetryTicks = 150;
  const std::uint64_t Edits = TreeEdits();
  if (Edits == FSavedEdits) {
    FUnsavedTicks = 0;
    return;
  }
  FQuietTicks = Edits == FSeenEdits ? FQuietTicks + 1 : 0;
  FSeenEdits = Edits;
  ++FUnsavedTicks;
  if (FSaveRetryTicks > 0 && --FSaveRetryTicks > 0) return;
  if (TreeHeld() || ViewEditing() || FExiting) return;
  if (FQuietTicks < QuietTicks && FUnsavedTicks < LongestTicks) return;
  try {
    SaveService.Execute();
    FAutoSaveTold = false;
    // The user chose not to make the missing folder: asked again in a while, not each tick.
    if (FSavedEdits != Edits) FSaveRetryTicks = RetryTicks;
  } catch (const std::exception& E) {
    FSaveRetryTicks = RetryTicks;
    if (FAutoSaveTold) return;
    FAutoSaveTold = true;
    Application().ShowException(E);
  }
}

void TLanternMain::FormCloseQuery(bool& CanClose) {
  if (FExiting) {
    CanClose = true;
    if (FSavedForSession) return;  // the session's query has just saved everything
    FSaveError.clear();
    try {
      SaveSettings();
      SaveService.Execute();
    } catch (const std::exception& E) {
      FSaveError = E.what();
      CanClose = false;
    }
    return;
  }
  CanClose = false;
  if (CutPending())
    MessageDlg("アイテムが切り取られています。まず貼り付けを行ってください", TMsgDlgType::Warning,
               mbOK);
  else
    Hide();
}

void TLanternMain::FormQueryEndSession(bool& CanEnd) {
  FExiting = true;
  FSavedForSession = false;
  FormCloseQuery(CanEnd);
  if (CanEnd) {
    FSavedForSession = true;
    System().SetShutdownBlockReason(Handle(), "");
  } else {
    // Nothing is lost: the tree stays in memory, and the session is told why it must wait.
    FExiting = false;
    System().SetShutdownBlockReason(
        Handle(), "データファイルを保存できません: " +
                      (FSaveError.empty() ? std::string("保存が取り消されました") : FSaveError));
  }
}

void TLanternMain::FormEndSession(bool Ending) {
  if (!Ending) {
    // Another program kept the session going: Lantern stays as it was, resident.
    FExiting = false;
    FSavedForSession = false;
    System().SetShutdownBlockReason(Handle(), "");
    return;
  }
  // The session ends even when the query's save failed; one more try, then the end.
  FExiting = true;
  if (!FSavedForSession) {
    bool Saved = false;
    FormCloseQuery(Saved);
  }
  FSavedForSession = true;
  Timer1.SetEnabled(false);
  Close();
}

void TLanternMain::ExitActionExecute() {
  Timer1.SetEnabled(false);
  FExiting = true;
  ListView1.OnChange = nullptr;
  Close();
}

void TLanternMain::SaveServiceExecute() {
  // The file that was not there at start was never read: the tree of this run must not take
  // its place when the drive comes back, nor any other file's.
  if (FStore->DataFileUnreachable()) return;
  const std::string DataFileName = Settings().DataFileName;
  std::string Folder = ExtractFilePath(DataFileName);
  if (!Folder.empty() && !FileSystem().DirectoryExists(ExcludeTrailingBackslash(Folder))) {
    LanternProperty.Execute();
    switch (MessageDlg(
        "データファイルをセーブするフォルダ " + Folder + "が存在しません。新たに作成しますか",
        TMsgDlgType::Warning, mbYes | mbNo | mbCancel)) {
      case mrYes:
        if (!FileSystem().CreateFolders(ExcludeTrailingBackslash(Folder)))
          throw EFileError("ファイル作成エラー");
        break;
      case mrNo: return;
      default: throw EFileError("ファイル作成エラー");
    }
  }
  double Now = System().Now();
  if (Now - Settings().BackupDate > 1.0) {
    // The backup holds the file as it was before this save. A backup that cannot be made
    // (a full disk, a locked file) never stops the save: it is tried again at the next one,
    // and the user hears of it once.
    const std::string Backup = DataFileName + ".bak";
    if (!FileSystem().FileExists(DataFileName) || FileSystem().Copy(DataFileName, Backup)) {
      FStore->Update([Now](TSettings& S) { S.BackupDate = Now; });
      SaveSettings();
    } else if (!FBackupTold) {
      FBackupError = "データファイルのバックアップ " + Backup +
                     " を作成できませんでした。データファイルの保存は続けます。";
    }
  }
  const std::uint64_t Edits = TreeEdits();
  FRoot->SaveToFile(DataFileName);
  FSavedEdits = Edits;
}

void TLanternMain::LoadServiceExecute() {
  const std::string DataFileName = Settings().DataFileName;
  if (FStore->DataFileUnreachable()) {
    MessageDlg("データファイル " + DataFileName +
                   " に届きません。ドライブやネットワークの共有がつながっているか確かめて、ランタン"
                   "を起動し直してください。それまではランチャが空のままで、データファイルには何も"
                   "書きません（この間の変更は保存されません）。",
               TMsgDlgType::Warning, mbOK);
    return;
  }
  if (!FileSystem().FileExists(DataFileName)) return;
  try {
    FRoot->LoadFromFile(DataFileName);
    FSavedEdits = FSeenEdits = TreeEdits();
  } catch (const Exception& E) {
    // What was read stays in the tree and the next save writes it; the file's own bytes are
    // kept aside first, so that nothing the user had is lost.
    std::string Bad = DataFileName + ".bad";
    if (FileSystem().Copy(DataFileName, Bad))
      throw Exception(E.Message() + "\r\n\r\n読み込めなかったデータファイルを " + Bad +
                      " に残しました。");
    throw;
  }
}

}  // namespace lantern
