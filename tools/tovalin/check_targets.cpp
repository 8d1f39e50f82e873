#include "check_targets.hpp"

#include <algorithm>

#include "console.hpp"
#include "files.hpp"
#include "folders.hpp"
#include "language.hpp"

namespace tool {
namespace {

bool isXmlName(const std::string& name) {
    return name.size() > 4 && lowered(name.substr(name.size() - 4)) == ".xml";
}

void addFolder(const std::string& folder, std::vector<CheckTarget>& targets) {
    std::vector<std::string> names;
    std::vector<UnnamableEntry> unnamable;
    if (!folderEntries(folder, names, unnamable)) {
        targets.push_back(
            {folder, say({u"the folder cannot be read", u"フォルダーを読み込めません"})});
        return;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = inFolder(folder, name);
        const PathKind kind = pathKind(path);
        if (kind == PathKind::folder) {
            addFolder(path, targets);
        } else if (kind == PathKind::file && isXmlName(name)) {
            targets.push_back({path, {}});
        }
    }
    // A file or folder the check cannot open by name is a problem, never passed over.
    for (const UnnamableEntry& entry : unnamable) {
        if (entry.isFolder || isXmlName(entry.shownName)) {
            targets.push_back({inFolder(folder, entry.shownName),
                               say({u"cannot be named in code page %1",
                                    u"コードページ %1 で名前を表せません"},
                                   {processCodePage()})});
        }
    }
}

}  // namespace

std::vector<CheckTarget> checkTargets(const std::vector<std::string>& paths) {
    std::vector<CheckTarget> targets;
    for (const std::string& path : paths) {
        const PathKind kind = pathKind(path);
        if (kind == PathKind::folder || kind == PathKind::linkedFolder) {
            addFolder(path, targets);
        } else if (kind == PathKind::file) {
            targets.push_back({path, {}});
        } else {
            targets.push_back({path, say({u"no such file or folder",
                                          u"そのようなファイルもフォルダーもありません"})});
        }
    }
    return targets;
}

}  // namespace tool
