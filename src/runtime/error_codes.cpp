#include "runtime/error_codes.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>

namespace trawlex::runtime {
namespace {

struct BuiltInText {
  int id;
  std::string_view text;
};

// The runtime's own texts, ordered by identifier. They are spelt exactly as users have always
// seen them, including the trailing blank of 78 and 350.
// clang-format off
constexpr BuiltInText kBuiltInTexts[] = {
    // File driver.
    {2, "File Not Found"},
    {3, "Path Not Found"},
    {4, "Too Many Open Files"},
    {5, "Access Denied"},
    {7, "Memory Corrupted"},
    {8, "Insufficient Memory"},
    {30, "Entry Not Found"},
    {32, "File Is Already Locked"},
    {33, "Record Not Available"},
    {35, "Record Not Found"},
    {36, "Invalid Data File"},
    {37, "File Not Open"},
    {38, "Invalid Key File"},
    {40, "Creates Duplicate Key"},
    {43, "Record Is Already Held"},
    {45, "Invalid Filename"},
    {46, "Key File Must Be Rebuilt"},
    {47, "Invalid Record Declaration"},
    {48, "Unable To Log Transaction"},
    {52, "File Already Open"},
    {53, "Invalid Veldar File"},
    {54, "No Create Attribute"},
    {55, "File Must Be Shared"},
    {56, "LOGOUT Already Active"},
    {57, "Invalid Memo File"},
    {63, "Exclusive Access Required"},
    {64, "Sharing Violation"},
    {65, "Unable To ROLLBACK Transaction"},
    {73, "Memo File Missing"},
    {75, "Invalid Field Type Descriptor"},
    {76, "Invalid Index String"},
    {77, "Unable To Access Index"},
    {78, "Invalid Number Of Parameters "},
    {79, "Unsupported Data Type In File"},
    {80, "Unsupported File Driver Function"},
    {81, "Unknown Error Posted"},
    {88, "Invalid Key Length"},
    {89, "Record Changed By Another Station"},
    {90, "File System Error"},
    {91, "LOGOUT Not Active"},
    {92, "BUILD In Progress"},
    {93, "BUILD Cancelled"},
    {94, "Record Limit Exceeded"},
    {95, "Server Not Found"},
    {96, "Remote Object Not Found"},
    // Operating-system error n, as 300 + n.
    {301, "Invalid Function"},
    {302, "File Not Found"},
    {303, "Path Not Found"},
    {304, "Too Many Open Files"},
    {305, "Access Denied"},
    {306, "Invalid Handle"},
    {307, "Memory Corrupted"},
    {308, "Insufficient Memory"},
    {309, "Invalid Memory Block"},
    {310, "Invalid Environment"},
    {311, "Invalid Format"},
    {312, "Invalid Access"},
    {313, "Invalid Data"},
    {315, "Invalid Drive"},
    {316, "Invalid Operation For Current Directory"},
    {317, "Not Same Device"},
    {318, "No More Files"},
    {319, "Write Protect"},
    {320, "Invalid Unit"},
    {321, "Device Not Ready"},
    {322, "Invalid Command"},
    {323, "Media Checksum Failed"},
    {324, "Invalid Length"},
    {325, "Seek Location Inaccessible"},
    {326, "Not DOS Disk"},
    {327, "Sector Not Found"},
    {328, "Out Of Paper"},
    {329, "Write Fault"},
    {330, "Read Fault"},
    {331, "General Failure"},
    {332, "Sharing Violation"},
    {333, "Lock Violation"},
    {334, "Wrong Disk"},
    {335, "FCB Unavailable"},
    {336, "Sharing Buffer Exceeded"},
    {337, "Code Page Mismatched"},
    {338, "Handle EOF"},
    {339, "Handle Disk Full"},
    {350, "Not Supported "},
    {351, "REM Not List"},
    {352, "Duplicate Name Encountered"},
    {353, "Invalid Network Path"},
    {354, "Network Busy"},
    {355, "Device Does Not Exist"},
    {356, "Too Many Commands"},
    {357, "Adapter/Hardware Failure"},
    {358, "Invalid Network Response"},
    {359, "Unexpected Network Error"},
    {360, "Invalid REM Adapter"},
    {361, "Print Queue Full"},
    {362, "No Spool Space"},
    {363, "Print Cancelled"},
    {364, "Network Name Deleted"},
    {365, "Network Access Denied"},
    {366, "Invalid Device Type"},
    {367, "Invalid Network Name"},
    {368, "Too Many Names"},
    {369, "Too Many Sessions"},
    {370, "Sharing Paused"},
    {371, "Request Not Accepted"},
    {372, "Network Redirection Paused"},
    {380, "File Already Exists"},
    {381, "Duplicate FCB"},
    {382, "Cannot Make"},
    {383, "Fail Critical Error"},
    {384, "Out Of Structures"},
    {385, "Already Assigned"},
    {386, "Invalid Password"},
    {387, "Invalid Parameter"},
    {388, "Network Write Fault"},
    {390, "System Component Not Loaded"},
    {391, "Unknown Error"},
    // Run-time faults.
    {401, "Stack overflow"},
    {402, "Null pointer de-reference"},
    {403, "Termination caused by signal.  (User break or Floating point)"},
    {404, "Arithmetic Overflow"},
    {405, "Variable out of range"},
    {406, "No return value from function"},
    {407, "No matching Case Label"},
    {408, "Long Integer Divide By Zero"},
    {409, "Index out of range"},
    {410, "Pure Virtual Function Called"},
    // Internal errors.
    {501, "Internal error 01"},
    {502, "Internal error 02"},
    {503, "Internal error 03"},
    {504, "Internal error 04"},
    {505, "Internal error 05"},
    {506, "Internal error 06"},
    {507, "Internal error 07"},
    {508, "Internal error 08"},
    {509, "Internal error 09"},
    {510, "Internal error 10"},
    {511, "Internal error 11"},
    {512, "Internal error 12"},
    {513, "Internal error 13"},
    {514, "Internal error 14"},
    {515, "Internal error 15"},
    // Window and report system.
    {520, "Mismatch with VWVBX.DLL detected"},
    {521, "VBX control is too complex"},
    {522, "Event posted to a report control"},
    {523, "Metafile record too large in report"},
    {524, "Unexpected error opening printer device"},
    {525, "Report is already open"},
    {526, "Unable to open APPLICATION (APPLICATION already active)"},
    {527, "Unable to open APPLICATION (system is MODAL)"},
    {528, "Unable to open APPLICATION"},
    {529, "Unable to open WINDOW"},
    {530, "Unable to open MDI window (No APPLICATION active)"},
    {531, "Unable to open MDI window (system is MODAL)"},
    {532, "Unable to open MDI window on APPLICATION's thread"},
    {533, "Unable to open MDI WINDOW"},
    {534, "Too many keystrokes PRESSed"},
    {535, "Window is already open"},
    {536, "Window is not open"},
    {537, "ACCEPT loop requires a window"},
    {538, "PRINT must only be called for reports"},
    {539, "ENDPAGE must only be called for reports"},
    {540, "Unable to process ACCEPT (system is MODAL)"},
    {541, "Unable to create control (system is MODAL)"},
    {542, "Unable to complete operation (system is MODAL)"},
    {543, "Slider controls are only available in 32-bit programs"},
    {544, "Too Many VBX Hooks"},
    // DDE.
    {601, "Invalid DDE channel"},
    {602, "DDE channel is not open"},
    {603, "DDEexecute - invalid command"},
    {604, "DDEpoke - invalid command"},
    {605, "DDE transaction timed out"},
    // Expression evaluation.
    {800, "Invalid expression for EVALUATE"},
    {801, "No BIND on variable"},
    {802, "Mismatched PUSHSCOPE/POPSCOPE"},
};
// clang-format on

constexpr bool IdsAscending() {
  return std::is_sorted(std::begin(kBuiltInTexts), std::end(kBuiltInTexts),
                        [](const BuiltInText& a, const BuiltInText& b) { return a.id < b.id; });
}
static_assert(IdsAscending(), "the lookup below is a binary search");

constexpr int kUnknownErrorId = 81;
constexpr int kOsErrorBase = 300;
// Identifiers 300 to 399 hold the operating-system texts; 400 and up belong to other groups.
constexpr int kOsErrorLastId = 399;

struct CurrentError {
  int code = 0;
  std::string text;  // at most kErrorTextWidth - 1 characters
};

// Each thread reports the failures of its own operations.
thread_local CurrentError current;

// Replacement texts are shared by every thread.
struct Replacements {
  std::mutex mutex;
  std::map<int, std::string> texts;
};

Replacements& LoadedReplacements() {
  static Replacements replacements;
  return replacements;
}

std::optional<std::string> ReplacementOf(int id) {
  Replacements& r = LoadedReplacements();
  std::lock_guard lock(r.mutex);
  const auto found = r.texts.find(id);
  if (found == r.texts.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string_view> BuiltInTextOf(int id) {
  const auto found =
      std::lower_bound(std::begin(kBuiltInTexts), std::end(kBuiltInTexts), id,
                       [](const BuiltInText& entry, int wanted) { return entry.id < wanted; });
  if (found == std::end(kBuiltInTexts) || found->id != id) return std::nullopt;
  return found->text;
}

std::optional<std::string> KnownTextOf(int id) {
  if (auto replacement = ReplacementOf(id)) return replacement;
  if (auto builtIn = BuiltInTextOf(id)) return std::string(*builtIn);
  return std::nullopt;
}

std::string FallbackText(int code) {
  return *KnownTextOf(kUnknownErrorId) + " : " + std::to_string(code);
}

// The text of an operating-system error. 300 + n runs past the operating-system block for
// large n (ENAMETOOLONG's 206 gives 506); such a code must not borrow the text of the
// run-time or window error that shares its identifier, so it falls back.
std::string OsErrorText(int code) {
  if (code >= kOsErrorBase && code <= kOsErrorLastId) return TextOf(code);
  return FallbackText(code);
}

void SetCurrent(int code, std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  text = first == std::string_view::npos ? std::string_view{} : text.substr(first);
  current.code = code;
  current.text.assign(text.substr(0, kErrorTextWidth - 1));
}

// True when the directory that should hold `path` does not exist, so "no such file" really
// means a directory on the way is missing.
bool ParentDirectoryMissing(const std::string& path) {
  std::string name = path;
  // "dir/sub/" names "dir/sub"; its parent is "dir".
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  const std::filesystem::path parent = std::filesystem::path(name).parent_path();
  if (parent.empty()) return false;  // a bare name lives in the current directory
  const int savedErrno = errno;      // looking must not disturb the errno the caller reports
  std::error_code ignored;
  const bool missing =
      std::filesystem::status(parent, ignored).type() == std::filesystem::file_type::not_found;
  errno = savedErrno;
  return missing;
}

}  // namespace

void ClearError() {
  current.code = 0;
  current.text.clear();
}

void PostError(int code) {
  if (code == 0) {
    PostOsError(errno);  // errno is read before anything else can change it
    return;
  }
  SetCurrent(code, TextOf(code));
}

void PostOsError(int errnoValue, const std::string& path) {
  PostError(OsErrorOf(errnoValue, path));
}

OsError OsErrorOf(int errnoValue, const std::string& path) {
  OsError error;
  error.code = kOsErrorBase + OsErrorNumber(errnoValue, path);
  // The text as the current error would hold it: leading blanks gone, cut to the field,
  // trailing blanks gone.
  const std::string text = OsErrorText(error.code);
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return error;
  error.text = text.substr(first, kErrorTextWidth - 1);
  error.text.erase(error.text.find_last_not_of(' ') + 1);
  return error;
}

void PostError(const OsError& error) {
  SetCurrent(error.code, error.text);
}

int ErrorCode() {
  return current.code;
}

std::string ErrorText() {
  const std::size_t end = current.text.find_last_not_of(' ');
  return end == std::string::npos ? std::string{} : current.text.substr(0, end + 1);
}

std::string TextOf(int id) {
  if (id == 0) id = kUnknownErrorId;
  if (auto text = KnownTextOf(id)) return *text;
  return FallbackText(id);
}

void SetReplacementText(int id, const std::string& text) {
  Replacements& r = LoadedReplacements();
  std::lock_guard lock(r.mutex);
  if (text.empty()) {
    r.texts.erase(id);
  } else {
    r.texts[id] = text;
  }
}

int OsErrorNumber(int errnoValue, const std::string& path) {
  switch (errnoValue) {
    case 0:
      return 0;  // no error: posting it gives 300, which has no text of its own
    case ENOENT:
      return !path.empty() && ParentDirectoryMissing(path) ? 3 : 2;
    case ENOTDIR:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
      return 5;
    case EBADF:
      return 6;
    case ENOMEM:
      return 8;
    case EXDEV:
      return 17;
    case EROFS:
      return 19;
    case EIO:
      return 31;
    case EBUSY:
    case ETXTBSY:
      return 32;
    case ENOSPC:
      return 39;
    case ENOSYS:
    case EOPNOTSUPP:
      return 50;
    case ENODEV:
    case ENXIO:
      return 55;
    case EEXIST:
      return 80;
    case EINVAL:
      return 87;
    case ENOTEMPTY:
      return 145;
    case ENAMETOOLONG:
      return 206;
    default:
      return 31;  // General Failure
  }
}

}  // namespace trawlex::runtime
