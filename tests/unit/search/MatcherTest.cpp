#include <gtest/gtest.h>

#include "search/Matcher.h"
#include "search/Patterns.h"
#include "text/Text.h"

namespace dv {
namespace {

struct Case {
    const char* pattern;
    std::vector<const char*> hits, misses;
};

// Every built-in single type with names it must and must not find.
const std::vector<Case> kBuiltIn = {
    {"*.??$", {"a.ab$", "A.XY$"}, {"a.a$", "a.abc$", "ab$"}},
    {"*.?$?", {"a.x$y"}, {"a.$xy", "a.x$"}},
    {"*.chk", {"FILE0001.CHK", "x.chk"}, {"x.chk1", "xchk"}},
    {"*._mp", {"a._mp"}, {"a.mp"}},
    {"*.bak", {"x.bak", "X.BAK", "a.b.bak", ".bak"}, {"x.bak1", "x.ba", "bak"}},
    {"*.xlk", {"b.xlk"}, {"b.xls"}},
    {"*.cdr_", {"a.cdr_"}, {"a.cdr"}},
    {"*.#Res", {"a.#res"}, {"a.res"}},
    {"*.@@@", {"a.@@@"}, {"a.@@"}},
    {"~*.*", {"~x.tmp", "~$", "~", "~$doc.docx"}, {"x~.tmp"}},
    {"*.prv", {"a.prv"}, {"a.prv2"}},
    {"*.spc", {"a.spc"}, {"a.spcx"}},
    {"*.diz", {"file_id.diz"}, {"a.dizz"}},
    {"anti-vir.dat", {"ANTI-VIR.DAT"}, {"anti-vir.dat.x", "xanti-vir.dat"}},
    {"0???????.nch", {"01234567.nch"}, {"0123456.nch", "012345678.nch", "11234567.nch"}},
    {"*.---", {"a.---"}, {"a.--"}},
    {"*.$db", {"a.$db"}, {"a.db"}},
    {"*.^", {"a.^"}, {"a.^^"}},
    {"*.___", {"a.___"}, {"a.__"}},
    {"*.~??", {"a.~ab"}, {"a.~a", "a.~abc"}},
    {"*.db$", {"a.db$"}, {"a.db"}},
    {"*.old", {"x.old", "X.OLD"}, {"x.older", "old"}},
    {"*.nu3", {"a.nu3"}, {"a.nu4"}},
    {"*.temp", {"a.temp"}, {"a.tmp", "a.temp1"}},
    {"*.dos", {"a.dos"}, {"a.dosx"}},
    {"*.tmp", {"x.tmp", "~x.tmp", ".tmp"}, {"x.tmpl", "x.tm", "tmp"}},
    {"File????._dd", {"file1234._dd"}, {"file123._dd"}},
    {"*._detmp", {"a._detmp"}, {"a._detm"}},
    {"*.~", {"a.~"}, {"a.~~"}},
    {"modemdet.txt", {"modemdet.txt"}, {"modemdet.txt~"}},
    {"system.1st", {"SYSTEM.1ST"}, {"system.1"}},
    {"suhdlog.dat", {"suhdlog.dat"}, {"suhdlog.da"}},
    {"bootlog.prv", {"bootlog.prv"}, {"bootlog.prv1"}},
    {"setuplog.txt", {"setuplog.txt"}, {"setuplog.tx"}},
    {"bootlog.txt", {"BootLog.txt"}, {"bootlog.txt.bak"}},
    {"~$", {"~$"}, {"~$a", "~"}},
    {"~gl", {"~GL"}, {"~gl1"}},
    {"*.gid", {"help.gid"}, {"help.gi"}},
    {"chklist.*", {"chklist.ms", "chklist", "CHKLIST.CPS"}, {"chklist1", "xchklist.ms"}},
    {"*.fts", {"a.fts"}, {"a.ftsx"}},
    {"*.ftg", {"a.ftg"}, {"a.ft"}},
    {"ffastun.*", {"ffastun.ffa", "ffastun"}, {"ffastun0.ffa"}},
    {"detlog.txt", {"detlog.txt"}, {"detlog.tx"}},
    {"iebak.dat", {"iebak.dat"}, {"iebak.da"}},
    {"ndimage.dat", {"ndimage.dat"}, {"ndimage.d"}},
    {"netlog.txt", {"netlog.txt"}, {"xnetlog.txt"}},
    {"acad.err", {"acad.err"}, {"acad.er"}},
    {"scandisk.log", {"scandisk.log"}, {"scandisk.lo"}},
    {"schedlog.txt", {"schedlog.txt"}, {"schedlog.tx"}},
    {"vslog.txt", {"vslog.txt"}, {"xvslog.txt"}},
    {"mscreate.dir", {"MSCREATE.DIR"}, {"mscreate.di"}},
    {"*.$$$", {"a.$$$"}, {"a.$$"}},
    {"File???._dd", {"file123._dd"}, {"file1234._dd"}},
    {"pspbrwse.jbf", {"pspbrwse.jbf"}, {"pspbrwse.jb"}},
    {"*.?~?", {"a.b~c"}, {"a.~bc", "a.b~"}},
    {"file_id.diz", {"FILE_ID.DIZ"}, {"file_id.di"}},
    {"*.bk?", {"a.bk1", "a.bkx"}, {"b.bk12", "a.bk"}},
    {"*.cpy", {"a.cpy"}, {"a.cp"}},
    {"*.err", {"a.err"}, {"a.errs"}},
    {"*.dmp", {"memory.dmp"}, {"a.dm"}},
    {"*.fnd", {"a.fnd"}, {"a.fn"}},
    {"*.fic", {"a.fic"}, {"a.fi"}},
    {"*.MS", {"a.ms", "A.MS"}, {"a.msi"}},
    {"*.nav", {"a.nav"}, {"a.na"}},
    {"*.sdi", {"a.sdi"}, {"a.sd"}},
    {"*.sik", {"a.sik"}, {"a.si"}},
    {"*.syd", {"a.syd"}, {"a.sy"}},
    {"*.wbk", {"a.wbk"}, {"a.wb"}},
    {"*._dd", {"a._dd"}, {"a._d"}},
    {"0*.nch", {"0.nch", "0abc.nch"}, {"a0.nch"}},
    {"*log.txt", {"log.txt", "bootlog.txt"}, {"log.txt2", "logs.txt"}},
    {"*.~*", {"a.~", "a.~abc"}, {"a.b~"}},
    {"twain???.mtx", {"twain001.mtx"}, {"twain01.mtx"}},
    {"*__ofidx*.*", {"~__ofidx1.ffx", "__ofidx"}, {"_ofidx.ffx"}},
    {"brndlog.txt", {"brndlog.txt"}, {"brndlog.tx"}},
    {"brndlog.bak", {"brndlog.bak"}, {"brndlog.ba"}},
    {"UserMPS.wa~", {"usermps.wa~"}, {"usermps.wa"}},
    {"optlog.txt", {"optlog.txt"}, {"optlog.tx"}},
    {"mplayer2.bak", {"mplayer2.bak"}, {"mplayer.bak"}},
    {"imsins.bak", {"imsins.bak"}, {"imsins.ba"}},
    {"schedule.bak", {"schedule.bak"}, {"schedule.ba"}},
};

TEST(Matcher, EveryBuiltInTypeFindsItsNamesAndNoOthers) {
    std::vector<std::string> items = patternSetComboItems();
    ASSERT_EQ(kBuiltIn.size(), items.size() - kFirstSingleType);
    for (size_t i = 0; i < kBuiltIn.size(); ++i) {
        const Case& c = kBuiltIn[i];
        EXPECT_EQ(items[i + kFirstSingleType], std::string("Find ") + c.pattern + " files only");
        for (const char* name : c.hits) EXPECT_TRUE(matchesPattern(c.pattern, name)) << c.pattern << " " << name;
        for (const char* name : c.misses) EXPECT_FALSE(matchesPattern(c.pattern, name)) << c.pattern << " " << name;
    }
}

TEST(Matcher, WildcardsAndDoubleByteCharacters) {
    EXPECT_TRUE(matchesPattern("*", "anything.at.all"));
    EXPECT_TRUE(matchesPattern("*.*", "nodot"));
    EXPECT_TRUE(matchesPattern("*.*", ".hidden"));
    EXPECT_FALSE(matchesPattern("?", ""));
    EXPECT_TRUE(matchesPattern("a*b*c", "aXbYbZc"));
    EXPECT_FALSE(matchesPattern("a*b*c", "aXbYbZ"));
    // A double-byte character is one character for "?" and compares byte for byte.
    const std::string kanji = "\x95\x5c";  // its trail byte is a backslash
    EXPECT_TRUE(matchesPattern("?.tmp", kanji + ".tmp"));
    EXPECT_FALSE(matchesPattern("??.tmp", kanji + ".tmp"));
    EXPECT_TRUE(matchesPattern(kanji + "*", kanji + "x"));
    EXPECT_FALSE(matchesPattern("\x95\x7c*", kanji + "x"));
    // Letters inside a double-byte character are never folded.
    EXPECT_FALSE(matchesPattern("\x82\x61", "\x82\x41"));
    // A high byte before a dot stays a single character.
    EXPECT_TRUE(matchesPattern("caf?.tmp", "caf\xe9.tmp"));
}

// Prepared patterns answer as matchesPattern does, for the built-in types and other
// forms, on names of every kind: letter case, double-byte characters whose trail byte is
// a letter or a backslash, names that end as a pattern's text does inside such a character.
TEST(Matcher, PreparedPatternsAgreeWithTheFullMatch) {
    std::vector<std::string> patterns;
    std::vector<std::string> names = {"", "log.txt", "x\x82log.txt", "\x82" "a.tmp", "\x95\x5c.tmp",
                                      "\x82\x61", "\x82\x41", "a.\x82~b", "~", "~\x95\x5c"};
    for (const Case& c : kBuiltIn) {
        patterns.push_back(c.pattern);
        names.insert(names.end(), c.hits.begin(), c.hits.end());
        names.insert(names.end(), c.misses.begin(), c.misses.end());
    }
    for (const char* p : {"*", "*.*", "?", "a*b*c", "*a.tmp", "*.t?p", "x.*", "*.", "\x95\x5c*",
                          "*\x95\x5c", "*\x82\x61", "*A", "a", "*~*", ".*"})
        patterns.push_back(p);
    const std::vector<std::string> starts = {"", "a", "A", "~", ".", "$", "_", "\x82", "\x95", "\\"};
    const std::vector<std::string> ends = {"", ".tmp", "A.TMP", "log.txt", ".~ab", "chklist", ".bk1", "$", "a"};
    for (const std::string& x : starts)
        for (const std::string& y : starts)
            for (const std::string& end : ends) names.push_back(x + y + end);

    const PatternList list(patterns);
    for (const std::string& name : names) {
        std::vector<std::pair<uint32_t, uint32_t>> hits;
        list.collect(name, 7, hits);
        std::vector<bool> found(patterns.size(), false);
        for (const auto& [pattern, item] : hits) {
            EXPECT_EQ(7u, item);
            found[pattern] = true;
        }
        for (size_t i = 0; i < patterns.size(); ++i)
            EXPECT_EQ(matchesPattern(patterns[i], name), found[i]) << patterns[i] << " / " << name;
    }
}

TEST(Matcher, ContainsNoCase) {
    EXPECT_TRUE(containsNoCase("D:\\documents AND settings\\x\\", "\\Documents and Settings\\"));
    EXPECT_FALSE(containsNoCase("D:\\Docs\\", "\\Documents\\"));
    EXPECT_TRUE(containsNoCase("anything", ""));
}

}  // namespace
}  // namespace dv
