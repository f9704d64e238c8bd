#include "search/Patterns.h"

#include "search/ListFile.h"
#include "shell/Settings.h"
#include "text/Text.h"

namespace dv {

namespace {

const char* const kSingleTypes[] = {
    "*.??$", "*.?$?", "*.chk", "*._mp", "*.bak", "*.xlk", "*.cdr_", "*.#Res", "*.@@@",
    "~*.*", "*.prv", "*.spc", "*.diz", "anti-vir.dat", "0???????.nch", "*.---", "*.$db",
    "*.^", "*.___", "*.~??", "*.db$", "*.old", "*.nu3", "*.temp", "*.dos", "*.tmp",
    "File????._dd", "*._detmp", "*.~", "modemdet.txt", "system.1st", "suhdlog.dat",
    "bootlog.prv", "setuplog.txt", "bootlog.txt", "~$", "~gl", "*.gid", "chklist.*",
    "*.fts", "*.ftg", "ffastun.*", "detlog.txt", "iebak.dat", "ndimage.dat", "netlog.txt",
    "acad.err", "scandisk.log", "schedlog.txt", "vslog.txt", "mscreate.dir", "*.$$$",
    "File???._dd", "pspbrwse.jbf", "*.?~?", "file_id.diz", "*.bk?", "*.cpy", "*.err",
    "*.dmp", "*.fnd", "*.fic", "*.MS", "*.nav", "*.sdi", "*.sik", "*.syd", "*.wbk",
    "*._dd", "0*.nch", "*log.txt", "*.~*", "twain???.mtx", "*__ofidx*.*", "brndlog.txt",
    "brndlog.bak", "UserMPS.wa~", "optlog.txt", "mplayer2.bak", "imsins.bak",
    "schedule.bak",
};

static_assert(kFirstUserType == kFirstSingleType + int(sizeof kSingleTypes / sizeof *kSingleTypes),
              "the user's types follow the 81 single types");

bool isHardDisk(DriveKind kind) { return kind == DriveKind::Fixed || kind == DriveKind::RamDisk; }

}  // namespace

const char* const kPatternSetTexts[4] = {
    "",  // set 0 is built from the single-type items
    "*.??$;*.?$?;*.~*;ffastun.*;*.temp;schedlog.txt;*.fts;setuplog.txt;*.tmp;~*.*;"
    "UserMPS.wa~;*._mp;*.syd;scandisk.log;*.ftg;detlog.txt;*.gid;*.bk?;*.@@@;*.---;"
    "mscreate.dir;*.bak;*.err;*.#Res;*.old;netlog.txt;File???._dd;chklist.*;*.chk;*.ms;"
    "*.diz;*.wbk;*.xlk;*.cdr_;0???????.nch",
    "*.??$;*.?$?;*.~*;*.temp;*.tmp;~*.*;*._mp;*.syd;*.ftg;*.gid;*.bk?;*.@@@;*.---;"
    "mscreate.dir;*.bak;*.err;*.#Res;*.old;chklist.*;*.chk;*.ms;*.diz;*.wbk;*.xlk;*.cdr_;"
    "0???????.nch",
    "*.??$;*.?$?;*.~*;*.bak;chklist.*;*.chk;*.gid;*.old;*.tmp;mscreate.dir",
};

std::vector<std::string> driveComboItems() {
    std::vector<std::string> items{"All Hard Drive"};
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        items.push_back(std::string("Hard Drive ") + letter + ":\\");
    return items;
}

std::vector<std::string> patternSetComboItems() {
    std::vector<std::string> items{
        "Find Garbage Files SET 0(Includes 81 Types)",
        "Find Garbage Files SET 1(Includes 35 Types)",
        "Find Garbage Files SET 2(Includes 26 Types)",
        "Find Garbage Files SET 3(Includes 10 Types)",
        "Application caches",
    };
    for (const char* pattern : kSingleTypes)
        items.push_back(std::string("Find ") + pattern + " files only");
    return items;
}

std::vector<std::string> storedComboItems(Ctl combo) {
    if (combo == Ctl::driveCombo) return driveComboItems();
    if (combo == Ctl::patternSetCombo) return patternSetComboItems();
    return {};
}

std::string patternOfItem(const std::string& itemText) {
    std::vector<std::string> pieces = splitText(itemText, ' ', 2);
    return pieces.size() >= 2 ? pieces[1] : std::string();
}

void buildSearchPatterns(App& app) {
    const int s = app.ui.comboSelection(Ctl::patternSetCombo);
    if (s >= 0) app.ui.setText(Ctl::patternSetCombo, app.ui.comboItem(Ctl::patternSetCombo, s));
    std::vector<std::string>& list = app.state.searchPatterns;
    list.clear();  // and stays empty for the application caches: their rules name the patterns
    if (s == 0) {
        const int count = app.ui.comboCount(Ctl::patternSetCombo);
        for (int i = kFirstSingleType; i < count; ++i) {
            std::string pattern = patternOfItem(app.ui.comboItem(Ctl::patternSetCombo, i));
            if (!pattern.empty()) list.push_back(pattern);
        }
    } else if (s >= 1 && s <= 3) {
        list = splitText(kPatternSetTexts[s], ';');
    } else if (s >= kFirstSingleType) {
        std::string pattern = patternOfItem(app.ui.comboItem(Ctl::patternSetCombo, s));
        if (!pattern.empty()) list.push_back(pattern);
    }
}

void patternSetChanged(App& app) { buildSearchPatterns(app); }

void showAppCachesFound(App& app, int programs) {
    const std::string found = " (" + std::to_string(programs) +
                              (programs == 1 ? " program found)" : " programs found)");
    app.ui.comboSetItem(Ctl::patternSetCombo, kAppCachesItem, "Application caches" + found);
}

std::vector<std::string> searchRoots(App& app) {
    std::vector<std::string> roots;
    const int s = app.ui.comboSelection(Ctl::driveCombo);
    const int first = s == 0 ? 1 : s;
    const int last = s == 0 ? app.ui.comboCount(Ctl::driveCombo) - 1 : s;
    if (s < 0) return roots;  // nothing chosen: nothing to walk
    for (int i = first; i <= last; ++i) {
        std::string item = app.ui.comboItem(Ctl::driveCombo, i);
        // A root is always "X:\"; anything shorter would name the current drive's root.
        if (item.size() < 3 || item.compare(item.size() - 2, 2, ":\\") != 0) continue;
        std::string root = item.substr(item.size() - 3);
        // "All Hard Drive" means the computer's own disks, never a network share or a
        // removable drive; a letter chosen on its own is searched whatever it holds.
        if (s == 0 && !isHardDisk(app.system.driveKind(root))) continue;
        roots.push_back(std::move(root));
    }
    return roots;
}

void loadUserJunkTypes(App& app) {
    std::vector<std::string> lines;
    loadListFile(app, basePath(app, "\\Files.txt"), lines);
    for (const std::string& line : lines) app.ui.comboAdd(Ctl::patternSetCombo, line);
}

}  // namespace dv
