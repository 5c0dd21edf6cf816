#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/transfer/AccessFindings.h"

namespace qorrin {
namespace {

// One line of /etc/group or /etc/passwd, split at ':'.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, ':')) fields.push_back(field);
  if (!line.empty() && line.back() == ':') fields.emplace_back();
  return fields;
}

// The entry of a colon-separated account file whose third field is `id`.
std::vector<std::string> EntryWithId(const CheckHost& host, const char* file, unsigned id) {
  std::ifstream in(host.InRoot(file));
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields = Fields(line);
    if (fields.size() >= 3 && fields[2] == std::to_string(id)) return fields;
  }
  return {};
}

std::string NameOf(const CheckHost& host, const char* file, unsigned id) {
  const std::vector<std::string> entry = EntryWithId(host, file, id);
  return entry.empty() ? std::to_string(id) : entry[0];
}

// Whether the account files put the user in the group: as a listed member, or as the
// user's own group.
bool ListedInGroup(const CheckHost& host, unsigned gid) {
  if (host.userName.empty()) return false;
  const std::vector<std::string> group = EntryWithId(host, "/etc/group", gid);
  if (group.size() >= 4) {
    std::stringstream members(group[3]);
    std::string member;
    while (std::getline(members, member, ',')) {
      if (member == host.userName) return true;
    }
  }
  std::ifstream passwd(host.InRoot("/etc/passwd"));
  std::string line;
  while (std::getline(passwd, line)) {
    const std::vector<std::string> fields = Fields(line);
    if (fields.size() >= 4 && fields[0] == host.userName) return fields[3] == std::to_string(gid);
  }
  return false;
}

bool HasGroup(const CheckHost& host, unsigned gid) {
  return std::find(host.groups.begin(), host.groups.end(), gid) != host.groups.end();
}

}  // namespace

bool CheckAccess(const CheckHost& host, const std::string& device, const CheckTexts& texts, CheckReport& report) {
  const std::string path = host.InRoot(host.ResolveDevice(device));
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return true;  // nothing to judge by; the open will tell
  const std::string group = NameOf(host, "/etc/group", info.st_gid);
  const auto readWrite = [&](unsigned bits) { return (info.st_mode & bits) == bits; };
  const bool byGroup = HasGroup(host, info.st_gid) && readWrite(S_IRGRP | S_IWGRP);
  if (byGroup || host.uid == 0 || (host.uid == info.st_uid && readWrite(S_IRUSR | S_IWUSR)) ||
      readWrite(S_IROTH | S_IWOTH)) {
    report.findings.push_back(
        texts.Finding(CheckStatus::Ok, byGroup ? "IDS_CHECK_ACCESS_MEMBER" : "IDS_CHECK_ACCESS_OK", "", {device, group}));
    return true;
  }
  if (host.grantsAccess && host.grantsAccess(path)) {
    report.findings.push_back(texts.Finding(CheckStatus::Ok, "IDS_CHECK_ACCESS_LIST", "", {device}));
    return true;
  }
  const std::string user = host.userName.empty() ? std::to_string(host.uid) : host.userName;
  if (!readWrite(S_IRGRP | S_IWGRP)) {
    report.findings.push_back(texts.Finding(CheckStatus::Problem, "IDS_CHECK_ACCESS_OWNER_ONLY",
                                            "IDS_CHECK_ACCESS_OWNER_ONLY_FIX",
                                            {device, NameOf(host, "/etc/passwd", info.st_uid)}));
  } else if (ListedInGroup(host, info.st_gid)) {
    report.findings.push_back(texts.Finding(CheckStatus::Problem, "IDS_CHECK_ACCESS_RELOGIN",
                                            "IDS_CHECK_ACCESS_RELOGIN_FIX", {device, group, user}));
  } else {
    report.findings.push_back(texts.Finding(CheckStatus::Problem, "IDS_CHECK_ACCESS_GROUP",
                                            "IDS_CHECK_ACCESS_GROUP_FIX", {device, group, user}));
  }
  return false;
}

}  // namespace qorrin
