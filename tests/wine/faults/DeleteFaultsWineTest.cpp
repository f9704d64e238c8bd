// One table of faults met between listing files and removing them, each tried in every
// way files are removed: the three delete modes and the folder cleaners. What the fault
// touches must stay as it was; every other listed file goes, and the total counts exactly
// the files that went.
#include <memory>

#include "cleanup/DeleteCommands.h"
#include "cleanup/Recovery.h"
#include "privacy/Cleaners.h"
#include "tests/wine/faults/FaultsWineEnv.h"
#include "text/NumberText.h"

namespace dv::winetest {
namespace {

constexpr DWORD kReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
constexpr size_t kMiB = 1048576;

// What one case works in: its folder (ends in "\"), a folder beside it that the fault may
// point a link at, and the backup folder (ends in "\").
struct Scene {
    std::string folder, outside, backup;
    std::vector<std::unique_ptr<HeldFile>> held;
    bool readOnlyDrive = false;
    ~Scene() {
        held.clear();
        if (readOnlyDrive) remountSizedDrive(false);
    }
    void hold(const std::string& name, DWORD share) {
        held.push_back(std::make_unique<HeldFile>(folder + name, share));
        EXPECT_TRUE(held.back()->held()) << "no other process holds " << name;
    }
    void replaceByFolder(const std::string& name) {
        ASSERT_TRUE(DeleteFileA((folder + name).c_str()));
        ASSERT_TRUE(CreateDirectoryA((folder + name).c_str(), nullptr));
        ASSERT_TRUE(writeFile(folder + name + "\\inside.doc", "inside"));
    }
    void replaceByLink(const std::string& name) {
        ASSERT_TRUE(DeleteFileA((folder + name).c_str()) || RemoveDirectoryA((folder + name).c_str()) ||
                    MoveFileA((folder + name).c_str(), (folder + name + "-moved").c_str()));
        ASSERT_TRUE(makeLink(outside.substr(0, outside.size() - 1), folder + name));
    }
};

struct Listed {
    const char* name;  // relative to the case folder
    size_t size;
    DWORD attributes;
};

struct FaultCase {
    const char* fault;
    std::vector<Way> ways;
    std::vector<Listed> files;      // the victim is the file the fault is made on
    std::vector<std::string> goes;  // the files removed; all others stay as they were
    bool backupOnSizedDrive;
    bool replacesVictim;            // then `verify` checks what took its place
    void (*arrange)(Scene&);        // the fault, between the listing and the removal
    void (*verify)(Scene&);         // what the fault put there is untouched
};

void outsideUntouched(Scene& s) {
    EXPECT_EQ(fileText(s.outside + "victim.tmp"), "outside victim");
}

const FaultCase kFaults[] = {
    {"HeldOpenByAnotherProcessSharingReadAndWriteButNotDelete",
     {Way::Recycle, Way::Permanent, Way::Backup, Way::Cleaner},
     {{"plain.tmp", kMiB / 2, 0}, {"victim.tmp", kMiB, FILE_ATTRIBUTE_READONLY}},
     {"plain.tmp"}, false, false,
     [](Scene& s) { s.hold("victim.tmp", FILE_SHARE_READ | FILE_SHARE_WRITE); }, nullptr},
    {"HeldOpenExclusivelyByAnotherProcess",
     {Way::Recycle, Way::Permanent, Way::Backup, Way::Cleaner},
     {{"plain.tmp", kMiB / 2, 0}, {"victim.tmp", kMiB, kReadOnlyHidden}},
     {"plain.tmp"}, false, false, [](Scene& s) { s.hold("victim.tmp", 0); }, nullptr},
    {"ReplacedByAFolderHoldingAFile",
     {Way::Recycle, Way::Permanent, Way::Backup, Way::Cleaner},
     {{"plain.tmp", kMiB / 2, 0}, {"victim.tmp", kMiB, 0}},
     {"plain.tmp"}, false, true, [](Scene& s) { s.replaceByFolder("victim.tmp"); },
     [](Scene& s) { EXPECT_EQ(fileText(s.folder + "victim.tmp\\inside.doc"), "inside"); }},
    {"ReplacedByALinkToAFolder",
     {Way::Recycle, Way::Permanent, Way::Backup, Way::Cleaner},
     {{"plain.tmp", kMiB / 2, 0}, {"victim.tmp", kMiB, 0}},
     {"plain.tmp"}, false, true, [](Scene& s) { s.replaceByLink("victim.tmp"); },
     [](Scene& s) {
         outsideUntouched(s);
         EXPECT_NE(GetFileAttributesA((s.folder + "victim.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
     }},
    {"FolderOnTheWayReplacedByALink",
     {Way::Recycle, Way::Permanent, Way::Backup, Way::Cleaner},
     {{"plain.tmp", kMiB / 2, 0}, {"sub\\victim.tmp", kMiB, 0}},
     {"plain.tmp"}, false, true, [](Scene& s) { s.replaceByLink("sub"); },
     [](Scene& s) {
         outsideUntouched(s);
         EXPECT_EQ(fileText(s.folder + "sub-moved\\victim.tmp").size(), kMiB);
     }},
    {"BackupFolderRemovedAfterItWasChosen", {Way::Backup},
     {{"plain.tmp", kMiB / 2, 0}, {"victim.tmp", kMiB, 0}},
     {}, false, false, [](Scene& s) { removeTree(s.backup.substr(0, s.backup.size() - 1)); },
     nullptr},
    {"BackupFolderOnADriveTurnedReadOnly", {Way::Backup},
     {{"plain.tmp", kMiB / 2, 0}, {"victim.tmp", kMiB, 0}},
     {}, true, false,
     [](Scene& s) {
         s.readOnlyDrive = remountSizedDrive(true);
         EXPECT_TRUE(s.readOnlyDrive) << "S: was not remounted read-only";
     },
     nullptr},
    // The 8 MiB drive takes c (3 MiB), not b (6 MiB) after it; a (1 MiB) still fits.
    {"BackupDriveFillsUpInTheMiddleOfACopy", {Way::Backup},
     {{"a.tmp", kMiB, 0}, {"b.tmp", 6 * kMiB, 0}, {"c.tmp", 3 * kMiB, 0}},
     {"a.tmp", "c.tmp"}, true, false, [](Scene&) {}, nullptr},
};

std::string contentOf(const std::string& name, size_t size) {
    std::string bytes;
    bytes.reserve(size);
    for (size_t i = 0; bytes.size() < size; ++i) bytes += name + ":" + std::to_string(i) + "\n";
    bytes.resize(size);
    return bytes;
}

TEST_F(FaultsWine, DeleteFaultsTouchNothingButTheFilesThatGo) {
    const std::string sized = sizedDrive();
    int number = 0;
    for (const FaultCase& c : kFaults) {
        for (Way way : c.ways) {
            SCOPED_TRACE(std::string(c.fault) + " / " + nameOf(way));
            if (c.backupOnSizedDrive && sized.empty()) {
                ADD_FAILURE() << "no sized drive S: in this run (DV_SIZED_DRIVE_MB)";
                continue;
            }
            Scene s;
            const std::string name = "c" + std::to_string(++number);
            s.folder = filesFolder(name);
            s.outside = filesFolder(name + "-outside");
            ASSERT_TRUE(writeFile(s.outside + "victim.tmp", "outside victim"));
            s.backup = c.backupOnSizedDrive ? sized + "\\" + name + "\\" : filesFolder(name + "-backup");
            CreateDirectoryA(s.backup.c_str(), nullptr);
            std::vector<DWORD> attributes;
            for (const Listed& f : c.files) {
                const std::string path = s.folder + f.name;
                CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
                ASSERT_TRUE(writeFile(path, contentOf(f.name, f.size), f.attributes));
                attributes.push_back(GetFileAttributesA(path.c_str()));
            }

            p.ui.setText(Ctl::recoveredLabel, "");
            if (way == Way::Cleaner) {
                steppedFs.afterListing = [&](const std::string&) { c.arrange(s); };
                cleanFolderFiles(stepped, s.folder);
            } else {
                search(s.folder, {"*.tmp"});
                ASSERT_EQ(listedPaths().size(), c.files.size());
                c.arrange(s);
                regWriteBytes(app, kUsers, kSaveFilePathItem, s.backup);
                mode(radioOf(way));
                deleteAllRows(app);
            }
            s.held.clear();

            uint64_t goneBytes = 0;
            std::vector<std::string> copies, lines;
            for (size_t i = 0; i < c.files.size(); ++i) {
                const Listed& f = c.files[i];
                const std::string path = s.folder + f.name;
                if (std::count(c.goes.begin(), c.goes.end(), f.name)) {
                    EXPECT_FALSE(exists(path)) << f.name << " stayed";
                    goneBytes += f.size;
                    copies.push_back(path.substr(path.rfind('\\') + 1) + ".dak");
                    lines.insert(lines.begin(), path);  // last row first
                } else if (!c.replacesVictim || std::string(f.name).find("victim") == std::string::npos) {
                    EXPECT_EQ(fileText(path), contentOf(f.name, f.size)) << f.name;
                    EXPECT_EQ(GetFileAttributesA(path.c_str()), attributes[i]) << f.name;
                }
            }
            if (c.verify) c.verify(s);
            if (way != Way::Cleaner) {
                EXPECT_EQ(p.ui.text(Ctl::recoveredLabel), "K61 " + megabyteText(goneBytes) + "K62");
            }
            if (way == Way::Backup) {
                std::sort(copies.begin(), copies.end());
                auto saved = namesIn(s.backup);
                std::sort(saved.begin(), saved.end());
                EXPECT_EQ(saved, copies) << "the backup folder holds other copies";
                EXPECT_EQ(indexLines(), lines);
                if (s.readOnlyDrive) s.readOnlyDrive = !remountSizedDrive(false);
                recoverAll(app);
                for (const Listed& f : c.files) {
                    if (!std::count(c.goes.begin(), c.goes.end(), f.name)) continue;
                    EXPECT_EQ(fileText(s.folder + f.name), contentOf(f.name, f.size)) << f.name;
                }
                EXPECT_TRUE(namesIn(s.backup).empty());
            }
            regDelete(app, kUsers, kSaveFilePathItem);
            DeleteFileA((base + "\\FilePath.dat").c_str());
            if (c.backupOnSizedDrive) removeTree(s.backup.substr(0, s.backup.size() - 1));
        }
    }
}

}  // namespace
}  // namespace dv::winetest
