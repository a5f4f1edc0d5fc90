#include "update/MainThreadSteps.h"

#include <exception>

#include "update/UpdateTexts.h"

namespace qev {

void ShowUpdateControls(TForm1& form, bool updating) {
  form.ProgressBarCount.SetVisible(updating);
  form.Button1.SetVisible(updating);
  form.suiButton1.SetVisible(!updating);
}

namespace {

bool AskYes(TMessageDialog& dialog, const char* caption, const char* text) {
  dialog.SetCaption(caption);
  dialog.SetText(text);
  return dialog.ShowModal() == TMessageDialog::kYes;
}

}  // namespace

void FormUpdateSteps::AskZoneListReload() {
  if (!AskYes(form_.suiMessageDialog1, texts::kZoneReloadCaption, texts::kZoneReloadText)) return;
  TServerList& servers = form_.Values.ServerList;
  form_.combo1.Clear();
  servers.clear();
  try {
    LoadLauncherConfig(form_.Services().Fs, form_.Values.ConfigFileName, form_.LauncherConfig,
                       servers);
  } catch (const std::exception&) {
    // the records read before the failure are shown; the file is read again next start
  }
  form_.ServerOnline = false;  // a fresh load forgets the last probe's verdict
  for (const auto& server : servers) form_.combo1.Add(server->ServerCaption);
  // The note goes on the second row; a shorter list has no such row to relabel.
  if (servers.size() >= 2)
    form_.combo1.SetRow(1, servers[1]->ServerCaption + "  " + texts::kZoneReloadDone);
}

void FormUpdateSteps::AskPatchUpdate() {
  if (settings_.EnableCue &&
      !AskYes(form_.suiMessageDialog1, texts::kPatchAskCaption, texts::kPatchAskText))
    return;
  form_.Timer4.SetEnabled(true);
  form_.Timer5.SetEnabled(true);
  ShowUpdateControls(form_, true);
}

void FormUpdateSteps::StartSelfUpdateTimer() { form_.Timer1.SetEnabled(true); }

void FormUpdateSteps::ReportZoneListBad() { form_.ShowMsg(3, texts::kZoneListBad); }

}  // namespace qev
