// The printer list over the platform-shaped enumeration call, and the status
// texts through the localisation component. Owns the list and its index;
// must not cache anything else about the printers.
#include "printer/CQuorPrnPrinterInfoManager.h"

#include <memory>

#include "platform/localize/MeraLocalize.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/WinSpool.h"

std::vector<PrinterInfo> CQuorPrnPrinterInfoManager::m_cPrinterList;
std::unordered_map<std::string, int> CQuorPrnPrinterInfoManager::m_cPrinterIndex;
bool CQuorPrnPrinterInfoManager::m_bLoaded = false;

CQuorPrnPrinterInfoManager::CQuorPrnPrinterInfoManager() = default;
CQuorPrnPrinterInfoManager::~CQuorPrnPrinterInfoManager() = default;

namespace {
// A printer added between the size query and the fill makes the fill too
// small; asking again beats reporting "no printers installed".
constexpr int kEnumAttempts = 3;
}  // namespace

int CQuorPrnPrinterInfoManager::RefreshPrinters() {
  m_cPrinterIndex.clear();
  m_cPrinterList.clear();

  constexpr uint32_t kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  std::unique_ptr<unsigned char[]> buffer;
  uint32_t needed = 0, returned = 0;
  bool ok = false;
  if (EnumPrintersA(kFlags, nullptr, 2, nullptr, 0, &needed, &returned)) {
    ok = true;  // nothing to list
    returned = 0;
  } else {
    for (int attempt = 0; attempt < kEnumAttempts && needed > 0 && !ok; ++attempt) {
      uint32_t size = needed;
      buffer.reset(new unsigned char[size]);
      ok = EnumPrintersA(kFlags, nullptr, 2, buffer.get(), size, &needed, &returned) != 0;
      if (!ok && needed <= size) break;  // a failure, not a list that grew
    }
  }
  if (!ok) return 0;

  const auto* entries = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.get());
  auto text = [](const char* s) { return std::string(s ? s : ""); };
  m_cPrinterList.reserve(returned);
  for (uint32_t i = 0; i < returned; ++i) {
    const PRINTER_INFO_2A& e = entries[i];
    PrinterInfo info;
    info.printerName = text(e.pPrinterName);
    info.statusText = GetStatusText(e.Status);
    info.driverName = text(e.pDriverName);
    info.location = text(e.pLocation);
    info.comment = text(e.pComment);
    info.portName = text(e.pPortName);
    m_cPrinterList.push_back(std::move(info));
    m_cPrinterIndex[m_cPrinterList.back().printerName] = static_cast<int>(i);
  }
  m_bLoaded = true;
  return 1;
}

void CQuorPrnPrinterInfoManager::_ensureLoaded() {
  if (!m_bLoaded) RefreshPrinters();
}

int CQuorPrnPrinterInfoManager::GetPrinterCount() {
  _ensureLoaded();
  return static_cast<int>(m_cPrinterList.size());
}

const PrinterInfo* CQuorPrnPrinterInfoManager::GetPrinterAt(int index) {
  _ensureLoaded();
  if (index < 0 || index >= static_cast<int>(m_cPrinterList.size())) return nullptr;
  return &m_cPrinterList[index];
}

const PrinterInfo* CQuorPrnPrinterInfoManager::FindPrinter(const std::string& printerName) {
  _ensureLoaded();
  auto it = m_cPrinterIndex.find(printerName);
  return it == m_cPrinterIndex.end() ? nullptr : &m_cPrinterList[it->second];
}

int CQuorPrnPrinterInfoManager::GetPrinterIndex(const std::string& printerName) {
  _ensureLoaded();
  for (int i = static_cast<int>(m_cPrinterList.size()) - 1; i >= 0; --i)
    if (m_cPrinterList[i].printerName == printerName) return i;
  return -1;
}

void CQuorPrnPrinterInfoManager::GetPrinterNames(std::vector<std::string>& names) {
  _ensureLoaded();
  names.clear();
  for (const PrinterInfo& p : m_cPrinterList) names.push_back(p.printerName);
}

std::string CQuorPrnPrinterInfoManager::GetStatusText(uint32_t status) {
  struct Row {
    const char* key;
    const char* text;  // UTF-8 here, code page 932 when looked up
  };
  // Row n describes bit 1 << (n - 1); row 0 is the ready state. The error
  // row's key has no leading P: existing catalogues are keyed that way, so
  // "correcting" it would lose their translation.
  static const Row rows[] = {
      {"PRINTER_STATUS_READY_TEXT", "準備完了"},
      {"PRINTER_STATUS_PAUSED_TEXT", "一時停止"},
      {"RINTER_STATUS_ERROR_TEXT", "エラー"},
      {"PRINTER_STATUS_PENDING_DELETION_TEXT", "削除中"},
      {"PRINTER_STATUS_PAPER_JAM_TEXT", "紙詰まり"},
      {"PRINTER_STATUS_PAPER_OUT_TEXT", "用紙切れ"},
      {"PRINTER_STATUS_MANUAL_FEED_TEXT", "手差し要"},
      {"PRINTER_STATUS_PAPER_PROBLEM_TEXT", "用紙の問題"},
      {"PRINTER_STATUS_OFFLINE_TEXT", "プリンタをオフラインで使用"},
      {"PRINTER_STATUS_IO_ACTIVE_TEXT", "I/O アクティブ"},
      {"PRINTER_STATUS_BUSY_TEXT", "ビジー"},
      {"PRINTER_STATUS_PRINTING_TEXT", "印刷中"},
      {"PRINTER_STATUS_OUTPUT_BIN_FULL_TEXT", "出力トレイ フル"},
      {"PRINTER_STATUS_NOT_AVAILABLE_TEXT", "印刷不可"},
      {"PRINTER_STATUS_WAITING_TEXT", "待機中"},
      {"PRINTER_STATUS_PROCESSING_TEXT", "処理中"},
      {"PRINTER_STATUS_INITIALIZING_TEXT", "初期化中"},
      {"PRINTER_STATUS_WARMING_UP_TEXT", "ウォームアップ中"},
      {"PRINTER_STATUS_TONER_LOW_TEXT", "トナー残量: 少"},
      {"PRINTER_STATUS_NO_TONER_TEXT", "トナーなし"},
      {"PRINTER_STATUS_PAGE_PUNT_TEXT", "ページ パント"},
      {"PRINTER_STATUS_USER_INTERVENTION_TEXT", "ユーザー手動操作要"},
      {"PRINTER_STATUS_OUT_OF_MEMORY_TEXT", "メモリ不足"},
      {"PRINTER_STATUS_DOOR_OPEN_TEXT", "ドアが開いています"},
      {"PRINTER_STATUS_SERVER_UNKNOWN_TEXT", "サーバーの状態不明"},
      {"PRINTER_STATUS_POWER_SAVE_TEXT", "省電力モード"},
  };
  constexpr int kRows = sizeof rows / sizeof rows[0];

  int row = -1;
  if (status == 0) {
    row = 0;
  } else {
    for (int bit = 0; bit < kRows - 1; ++bit) {
      if (status & (uint32_t{1} << bit)) {
        row = bit + 1;
        break;
      }
    }
  }
  if (row < 0) return "";

  std::string fallback = mbcs::Cp932(rows[row].text);
  CMeraBaseClass* object = nullptr;
  if (!MeraLocalizeCreateInstance(1, &object) || !object) return fallback;
  MeraPtr<CMeraLocalize> localize(static_cast<CMeraLocalize*>(object));
  return localize->LocalizeControlText(rows[row].key, fallback);
}
