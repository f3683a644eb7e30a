// Draws from the web archive and from CSV files, and the archive as a CSV file.
#include <algorithm>
#include <cstdint>

#include "app/workspace.h"
#include "core/codec.h"
#include "core/download.h"
#include "core/drawscsv.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {

namespace {

constexpr const char* WaitText = "Загрузка архива тиражей...";

}  // namespace

void TWorkspace::SetDownloadTimeouts(int connectMs, int readMs) {
  download_.connectTimeoutMs = connectMs;
  download_.readTimeoutMs = readMs;
}

bool TWorkspace::DownloadProxyInUse() const {
  int mode = settings_.Proxy.Mode;
  return (mode == pmManual || (mode == pmAuto && download_.proxyChosen)) &&
         !settings_.Proxy.Server.empty();
}

std::string TWorkspace::DownloadWaitText() const {
  if (!DownloadProxyInUse()) return WaitText;
  return std::string(WaitText) + "\r\r" +
         StrFormat("Попытка %d, proxy %s : %d", download_.attempt, settings_.Proxy.Server.c_str(),
                   settings_.Proxy.Port);
}

void TWorkspace::DownloadWaitChanged() {
  if (OnDownloadWaitText) OnDownloadWaitText(DownloadWaitText());
  host_.ProcessEvents();
}

void TWorkspace::DownloadChooseProxy() {
  try {
    if (download_.proxyList.empty()) {
      TProgressText progress(host_, "Поиск proxy-серверов");
      try {
        std::string path = DataPath(ProxyListFileName);
        if (FileExists(path))
          download_.proxyList = ParseProxyList(Cp1251ToUtf8(ReadWholeFile(path)));
        if (download_.proxyList.empty())
          Raise("Не найдено ни одного proxy-сервера с заданными параметрами");
      } catch (const std::exception& e) {
        ShowError(host_, StrFormat("Ошибка получения списка proxy-серверов!\r\r%s", e.what()));
        return;
      }
    }
    std::string entry = download_.proxyList.front();
    std::string server;
    int port = 0;
    if (!SplitProxyEntry(entry, server, port)) {
      download_.proxyList.erase(download_.proxyList.begin());
      Raise(StrFormat("Некорректная запись списка proxy-серверов: \"%s\"", entry.c_str()));
    }
    settings_.Proxy.Server = server;
    settings_.Proxy.Port = port;
    settings_.Proxy.Username.clear();
    settings_.Proxy.Password.clear();
    download_.proxyChosen = true;
    download_.proxyChanged = true;
    DownloadWaitChanged();
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка автоматического выбора proxy сервера!\r\r%s", e.what()));
  }
}

std::string TWorkspace::DownloadGet(const std::string& path) {
  std::string url = ArchiveUrl(settings_.Download.Host, path);
  THttpProxy proxy;
  const TProxyConfig& p = settings_.Proxy;
  if (p.Mode == pmAuto) {
    if (!download_.proxyChosen) DownloadChooseProxy();
    // Without a proxy nothing is sent: the empty page ends the download quietly.
    if (!download_.proxyChosen) return {};
  }
  if (p.Mode == pmManual || p.Mode == pmAuto) proxy = {p.Server, p.Port, p.Username, p.Password};
  if (!download_.client) {
    THttpOptions options;
    options.ConnectTimeoutMs = download_.connectTimeoutMs;
    options.ReadTimeoutMs = download_.readTimeoutMs;
    options.CaCertFile = settings_.Download.CaCertFile;
    download_.client = std::make_unique<THttpClient>(options);
  }
  std::string page = download_.client->HttpGetText(url, proxy);
  host_.ProcessEvents();
  return page;
}

int TWorkspace::DrawsDownloadRange(int first, int last) {
  TArchiveSource source{[this](const std::string& path) { return DownloadGet(path); },
                        [this](const std::string& text) {
                          host_.SetStatusText(spMessage, text);
                          host_.ProcessEvents();
                        }};
  return kvarn::DrawsDownloadRange(source, first, last, draws_.Draws);
}

int TWorkspace::DrawsDownloadAll() {
  download_.attempt = 1;
  download_.failed = false;
  download_.proxyChosen = false;
  download_.proxyChanged = false;
  download_.proxyList.clear();
  download_.client.reset();  // cookies live for one run
  DownloadWaitChanged();

  int total = 0;
  size_t saved = draws_.Draws.size();
  // Draws already appended to memory go to the file, even when the rest of their range failed.
  auto saveAppended = [&]() {
    if (draws_.Draws.size() == saved) return true;
    total += static_cast<int>(draws_.Draws.size() - saved);
    saved = draws_.Draws.size();
    bool ok = DrawsSave();
    ViewsRefresh();
    return ok;
  };
  auto saveProxy = [&]() {
    if (!download_.proxyChanged) return;
    download_.proxyChanged = false;
    ConfigSaveProxy();
  };

  bool again = true;
  while (again) {
    again = false;
    download_.failed = false;
    try {
      int previousFirst = 0;
      for (;;) {
        int first = draws_.Draws.empty() ? 1 : DrawsNextNumber(0);
        // A page listing in an unexpected order could make the same range come back forever.
        if (first <= previousFirst) break;
        previousFirst = first;
        // The block ends at the largest draw number rather than past it.
        int last =
            first > INT32_MAX - (DownloadBlockSize - 1) ? INT32_MAX : first + DownloadBlockSize - 1;
        int got = DrawsDownloadRange(first, last);
        saveProxy();
        if (got <= 0) break;
        if (!saveAppended()) {
          download_.failed = true;
          break;
        }
        if (got < DownloadBlockSize) break;
      }
    } catch (const std::exception& e) {
      saveProxy();
      if (!saveAppended()) {
        download_.failed = true;
        break;
      }
      ++download_.attempt;
      if (settings_.Proxy.Mode == pmAuto && download_.proxyChosen) {
        if (!download_.proxyList.empty()) download_.proxyList.erase(download_.proxyList.begin());
        download_.proxyChosen = false;
        if (!download_.proxyList.empty()) {
          DownloadChooseProxy();
          again = true;
          continue;
        }
      }
      DownloadWaitChanged();
      download_.failed = true;
      again = host_.AskYesNo(
          "Ошибка",
          StrFormat("Ошибка загрузки архива тиражей с сайта: \"%s\"\r\r%sПовторить попытку?",
                    e.what(), DownloadFailureNote(e).c_str()),
          false);
    }
  }
  saveProxy();
  download_.proxyList.clear();
  download_.proxyChosen = false;
  download_.client.reset();
  return total;
}

std::string TWorkspace::DownloadFailureNote(const std::exception& e) {
  const auto* marker = dynamic_cast<const EMarkerNotFound*>(&e);
  if (!marker) return {};
  const std::string path = DataPath(DownloadPageFileName);
  try {
    TDataDirLock lock;
    LockForWrite(lock);
    WriteFileAtomic(path, marker->Text);
    return StrFormat("Текст страницы целиком записан в файл \"%s\".\r\r", path.c_str());
  } catch (const std::exception& w) {
    return StrFormat("Текст страницы не удалось записать в файл \"%s\": %s\r\r", path.c_str(),
                     w.what());
  }
}

int TWorkspace::DrawsDownload() {
  int total = 0;
  {
    TProgressText progress(host_, WaitText);
    TBusyGuard busy(host_);
    if (Trim(settings_.Download.Host).empty()) {
      download_.failed = true;
      try {
        ArchiveUrl(settings_.Download.Host, "");
      } catch (const std::exception& e) {
        ShowError(host_, e.what());
      }
    } else {
      try {
        total = DrawsDownloadAll();
      } catch (const std::exception& e) {
        download_.failed = true;
        ShowError(host_, e.what());
      }
    }
    if (OnDownloadWaitText) OnDownloadWaitText(std::string());
  }
  DrawsDownloadFinished();
  return total;
}

void TWorkspace::DrawsDownloadFinished() {
  // The stakes whose draws arrived are checked; the download waits for the check.
  if (!stakes_.File.IsOpen()) return;
  StakesCheckAndRefresh();
  StakesRefreshGrid(true, false);
}

void TWorkspace::DrawsDownloadOnStart() {
  switch (windowState_.DownloadDrawsOnStart) {
    case 0:
      if (AskConfirm(host_,
                     "Обновить список тиражей?\r\rДля выполнения обновления необходимо "
                     "действующее подключение к сети Интернет.",
                     false))
        DrawsDownload();
      break;
    case 1:
      DrawsDownload();
      break;
    default:
      break;
  }
}

bool TWorkspace::SetDownloadOnStart(int choice) {
  windowState_.DownloadDrawsOnStart = std::clamp(choice, 0, 2);
  return WindowStateWriteInt("DownloadDrawsOnStart", windowState_.DownloadDrawsOnStart);
}

bool TWorkspace::ProxySettingsApply(const TProxyConfig& proxy) {
  settings_.Proxy = ProxyDialogResult(proxy);
  return ConfigSaveProxy();
}

int TWorkspace::DrawsImport(const std::string& path) {
  TCsvImportResult result;
  {
    TProgressText progress(host_, StrFormat("Импорт тиражей из файла \"%s\"...", path.c_str()));
    TBusyGuard busy(host_);
    std::string text;
    try {
      text = Cp1251ToUtf8(ReadWholeFile(path, CsvReadLimit));
    } catch (const std::exception& e) {
      Raise(StrFormat("Ошибка чтения файла \"%s\"!\r\r%s", path.c_str(), e.what()));
    }
    result = DrawsCsvImport(text, draws_.Draws, draws_.SetAside.size());
  }
  DrawsSave();
  ViewsRefresh();
  const std::string problems = CsvImportProblemsText(result);
  if (!problems.empty())
    ShowWarning(host_, StrFormat("Импорт тиражей из файла \"%s\" завершен.\r\r%s", path.c_str(),
                                 problems.c_str()));
  return result.Added;
}

int TWorkspace::DrawsExport(const std::string& path) {
  TProgressText progress(host_, StrFormat("Экспорт тиражей в файл \"%s\"...", path.c_str()));
  TBusyGuard busy(host_);
  try {
    WriteOutputFile(path, Utf8ToCp1251(DrawsCsvText(draws_.Draws)));
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", path.c_str(), e.what()));
  }
  return DrawsCount();
}

}  // namespace kvarn
