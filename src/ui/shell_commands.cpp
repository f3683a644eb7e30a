// The window's own commands: the settings dialogs, the view switches, the archive's files and the
// program's pages on the web.
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "core/text.h"
#include "ui/combs_page.h"
#include "ui/draws_page.h"
#include "ui/form_about.h"
#include "ui/form_config.h"
#include "ui/form_proxy.h"
#include "ui/template_main.h"
#include "ui/xls_export.h"

namespace kvarn {

void TTemplateMain::BindViewSwitch(const char* command, const char* key, bool def,
                                   std::function<void(bool)> apply) {
  std::string k = key;
  commands_->Bind(
      command, [] { return true; },
      [this, k, def, apply] {
        auto& st = state_;
        bool v = !st.Bool(k, def);
        st.SetBool(k, v);
        if (apply) apply(v);
      },
      [this, k, def] { return state_.Bool(k, def); });
}

void TTemplateMain::BindShellCommands() {
  auto& c = *commands_;
  c.Bind(
      "ExitProgram", [] { return true; }, [this] { close(); });
  c.Bind(
      "EditConfig", [] { return true; },
      [this] {
        TFormConfig dlg(host_, workspace_->Config(), this);
        if (dlg.exec() != QDialog::Accepted) return;
        TBusyGuard busy(host_);
        workspace_->ConfigApply(dlg.Result());
        RepaintLists();
        RefreshViews(true);
      });
  c.Bind(
      "EditProxy", [] { return true; },
      [this] {
        TFormProxy dlg(workspace_->Settings().Proxy, this);
        if (dlg.exec() == QDialog::Accepted) workspace_->ProxySettingsApply(dlg.Entered());
      });
  c.Bind(
      "About", [] { return true; },
      [this] {
        TFormAbout dlg(this);
        dlg.exec();
      });
  c.Bind(
      "GetHelp", [] { return true; }, [this] { ShowHelp(ContextHelpPage()); });
  c.Bind(
      "DrawsXlsExport", [this] { return workspace_->DrawsCount() > 0; },
      [this] {
        RunXlsExport(this, state_, QStringLiteral("Архив тиражей.xlsx"),
                     [this](const std::string& file, const TSheetProgress& progress) {
                       return workspace_->DrawsXlsExport(file, progress);
                     });
      });
  for (const TTabSwitch& t : RightTabSwitches()) {
    TRightTab tab = t.tab;
    BindViewSwitch(t.command, t.key, true, [this, tab](bool on) {
      rightTabs_->setTabVisible(tab, on);
      // Hiding the regulars frees them, showing reloads the file; system play lists the store.
      if (tab == rtTables) workspace_->TabTables(on);
      if (tab == rtSystems) {
        workspace_->SystemsOn(on);
        ShowSystemStakes(on);
      }
      if (!on || tab == rtSystems) return;
      // A tab switched on comes to the front with its view built; the graph is drawn anew.
      rightTabs_->setCurrentIndex(tab);
      RightPage(tab)->Refresh(tab == rtGraphs);
    });
  }
  BindViewSwitch("ViewColorDraws", "ColorDraws", true,
                 [this](bool) { Page<TDrawsPage>().Repaint(); });
  BindViewSwitch("ViewColorCombs", "ColorCombs", true,
                 [this](bool) { Page<TCombsPage>().Repaint(); });
  // The card's, scheme's and week's own switches are bound by their pages.
  BindViewSwitch("StakesScroll", "StakesScrollEnabled", true);
  BindViewSwitch("StakesCheckLine", "StakesCheckOnLine", true);
  BindViewSwitch("LogToggle", "ScriptLogEnabled", false);
  BindViewSwitch("DrawsStatePrefetchsEnabled", "PrefetchsEnabled", false);
  BindViewSwitch("DrawsStatShowTotalLine", "ShowTotalLine", true);
  BindViewSwitch("AutoSelfUpdate", "AutoUpdates", true);
  for (int i = 0; i < 3; ++i) {
    commands_->Bind(
        StrFormat("AutoDownload%d", i), [] { return true; },
        [this, i] { workspace_->SetDownloadOnStart(i); },
        [this, i] { return workspace_->WindowState().DownloadDrawsOnStart == i; });
  }
  c.Bind(
      "OpenLotoSite", [this] { return !Trim(workspace_->Settings().Download.Host).empty(); },
      [this] {
        std::string host(Trim(workspace_->Settings().Download.Host));
        if (host.find("://") == std::string::npos) host = "https://" + host;
        QDesktopServices::openUrl(QUrl(Q(host)));
      });
  c.Bind(
      "DrawsDownload", [] { return true; }, [this] { DownloadDraws(); });
  const QString csvFilter = QStringLiteral("Файлы тиражей (*.csv)");
  c.Bind(
      "DrawsImport", [] { return true; },
      [this, csvFilter] {
        QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Импорт из CSV-файла"),
                                                    QString(), csvFilter);
        if (!path.isEmpty()) workspace_->DrawsImport(S(path));
      });
  c.Bind(
      "DrawsExport", [this] { return workspace_->DrawsCount() > 0; },
      [this, csvFilter] {
        QFileDialog dlg(this, QStringLiteral("Экспорт в CSV-файл"), QString(), csvFilter);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setDefaultSuffix(QStringLiteral("csv"));
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
          workspace_->DrawsExport(S(dlg.selectedFiles().first()));
      });
  // The stop of a running scenario stays usable while busy; no scenario runs yet.
  c.IgnoreBusy("ScriptStop");
}

}  // namespace kvarn
