// recordfile_test.cpp -- the line format and the character, item, quest and vars.sav files.
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include "gamefixture.h"
#include "recordlines.h"

using gamefix::lines;
using qtest::WorkDir;

namespace {
std::ifstream openIn(const WorkDir& wd, const std::string& rel, const std::string& content)
{
    wd.write(rel, content);
    return std::ifstream(rel);
}
}

TEST(RecordLines, NumbersReadTheWayAtoiReadsThem)
{
    WorkDir wd("", false);
    std::ifstream in = openIn(wd, "n.txt",
                              lines({"  42", "-17", "+8", "12abc", "abc", "", "\t\r 5", "- 5", "0x10", "2147483647",
                                     "2147483648", "-2147483648", "-99999999999999999999999", "7\r"}));
    const int want[] = {42, -17, 8, 12, 0, 0, 5, 0, 0, INT_MAX, INT_MAX, INT_MIN, INT_MIN, 7};
    for (int w : want)
        EXPECT_EQ(w, readNumberFromFile(in));
    EXPECT_EQ(0, readNumberFromFile(in));   // past the end
    EXPECT_TRUE(in.eof());
}

TEST(RecordLines, LongLinesAreCutAt400AndTheRestOfTheLineSkipped)
{
    WorkDir wd("", false);
    std::string digits(5000, '9');
    std::ifstream in = openIn(wd, "l.txt", lines({std::string(1000, 'a'), "7", digits, "-3", std::string(400, 'b')}));
    EXPECT_EQ(std::string(400, 'a'), readStringFromFile(in));
    EXPECT_EQ(7, readNumberFromFile(in));
    EXPECT_EQ(INT_MAX, readNumberFromFile(in));
    EXPECT_EQ(-3, readNumberFromFile(in));
    EXPECT_EQ(std::string(400, 'b'), readStringFromFile(in));
}

TEST(RecordLines, StringsKeepCarriageReturnsAndWritingKeepsOneValuePerLine)
{
    WorkDir wd("", false);
    {
        std::ofstream out("w.txt");
        writeNumberToFile(-1, out);
        writeNumberToFile(350, out);
        writeStringToFile("", out);
        writeStringToFile("two\nlines", out);
        writeStringToFile("crlf\r", out);
    }
    EXPECT_EQ("-1\n350\n\ntwo lines\ncrlf\r\n", wd.read("w.txt"));
    std::ifstream in("w.txt");
    readNumberFromFile(in);
    readNumberFromFile(in);
    EXPECT_EQ("", readStringFromFile(in));
    EXPECT_EQ("two lines", readStringFromFile(in));
    EXPECT_EQ("crlf\r", readStringFromFile(in));
    EXPECT_EQ("", readStringFromFile(in));
}

TEST(RecordLines, FloatFieldsAreTruncatedTowardZeroWithoutOverflow)
{
    EXPECT_EQ(100, wholeNumberOf(100.9f));
    EXPECT_EQ(-3, wholeNumberOf(-3.7f));
    EXPECT_EQ(INT_MAX, wholeNumberOf(1e20f));
    EXPECT_EQ(INT_MIN, wholeNumberOf(-1e20f));
    EXPECT_EQ(0, wholeNumberOf(strtof("nan", NULL)));
}

TEST(ActorFile, TwentyLinesWithMoneyLast)
{
    WorkDir wd("", false);
    Actor a;
    a.x = 100.9f;
    a.y = -3.7f;
    a.stats = {11, 12, 13, 14, 15, 16, 17, 18, 19, 4000000000u};
    a.flagId = 7;
    a.bIsHostile = true;
    a.conversation[0] = "Shoppy";
    a.conversation[1] = "Bye";
    a.myName = "Mara";
    a.bIsWanderer = true;
    a.sprite = 8;
    a.direction = FACE_LEFT;
    a.serializeTo("a.def");
    EXPECT_EQ(lines({"100", "-3", "11", "12", "13", "14", "15", "16", "17", "18", "19", "7", "1", "Shoppy", "Bye",
                     "Mara", "1", "8", "3", "-294967296"}),
              wd.read("a.def"));

    Actor b;
    ASSERT_EQ(0, b.serializeFrom("a.def"));
    gamefix::expectSameActor(a, b);
    EXPECT_FLOAT_EQ(100.0f, b.x);
    EXPECT_EQ(4000000000u, b.stats.money);
}

TEST(ActorFile, HostileWhenAboveZeroAndCarriageReturnsStayInStrings)
{
    WorkDir wd("", false);
    std::string crlf = gamefix::actorFile("Plyr", "Hero", 50, 60, false, 99);
    std::string withCr;
    for (char c : crlf)
        withCr += c == '\n' ? std::string("\r\n") : std::string(1, c);
    wd.write("cr.def", withCr);
    Actor a;
    ASSERT_EQ(0, a.serializeFrom("cr.def"));
    EXPECT_FLOAT_EQ(50.0f, a.x);
    EXPECT_EQ(99u, a.stats.money);
    EXPECT_EQ("Plyr\r", a.conversation[0]);
    EXPECT_EQ("Hero\r", a.myName);

    std::string base = gamefix::actorFile("x", "y");
    for (const char* h : {"2", "-1", "0", "1"}) {
        std::string f = base;
        size_t pos = 0;
        for (int i = 0; i < 12; i++)
            pos = f.find('\n', pos) + 1;
        f.replace(pos, f.find('\n', pos) - pos, h);
        wd.write("h.def", f);
        Actor b;
        b.serializeFrom("h.def");
        EXPECT_EQ(atoi(h) > 0, b.bIsHostile) << "line 13 " << h;
    }
}

TEST(ActorFile, ShortOrMissingFiles)
{
    WorkDir wd("", false);
    wd.write("short.def", lines({"5", "6"}));
    Actor a;
    ASSERT_EQ(0, a.serializeFrom("short.def"));
    EXPECT_FLOAT_EQ(6.0f, a.y);
    EXPECT_EQ(0, a.flagId);
    EXPECT_EQ("", a.conversation[0]);
    EXPECT_EQ("", a.myName);

    Actor b;
    EXPECT_EQ("***WARNING*** Input file npcdef/4.def missing on actor serialization load\n"
              "You can probably ignore this.\n",
              qtest::quietly([&] { EXPECT_EQ(-1, b.serializeFrom("npcdef/4.def")); }));
    EXPECT_EQ("Unset Actor", b.myName);
    EXPECT_EQ(-1, b.flagId);
}

TEST(ItemFile, DescriptionBeforeShortNameAndTheRangeLine)
{
    WorkDir wd("", false);
    Item sword;
    sword.type = ITEM_MELEE;
    sword.maxEffect = 9;
    sword.price = 120;
    sword.owner = OWNER_PLAYER;
    sword.x = 48.5f;
    sword.y = 96;
    sword.bIsEquipped = true;
    sword.itemName = "Sword";
    sword.itemDescript = "Sharp";
    sword.shortName = "sword";
    sword.icon = 2;
    sword.range = 5;   // not a ranged weapon: the file says 0
    sword.serializeTo("1.def");
    EXPECT_EQ(lines({"1", "9", "120", "1", "48", "96", "1", "Sword", "Sharp", "sword", "2", "0"}), wd.read("1.def"));

    Item bow = sword;
    bow.type = ITEM_RANGED;
    bow.range = 6;
    bow.serializeTo("8.def");
    Item back;
    std::string out;
    qtest::quietly([&] { EXPECT_EQ(0, back.serializeFrom("8.def")); }, &out);
    EXPECT_EQ("Weapon is a long-range item, checking range\n", out);
    gamefix::expectSameItem(bow, back);
    EXPECT_EQ(6, back.range);

    // Only a ranged weapon reads line 12; an 11-line file of another type loses nothing.
    wd.write("r.def", lines({"1", "9", "120", "-2", "0", "0", "0", "Sword", "Sharp", "sword", "2", "5"}));
    wd.write("s.def", lines({"3", "1", "4", "-2147483648", "0", "0", "0", "Ale", "Frothy", "ale", "1"}));
    Item r, s;
    qtest::quietly([&] {
        EXPECT_EQ(0, r.serializeFrom("r.def"));
        EXPECT_EQ(0, s.serializeFrom("s.def"));
    }, &out);
    EXPECT_EQ("", out);
    EXPECT_EQ(0, r.range);
    EXPECT_EQ(2u, r.owner);
    EXPECT_EQ(2147483648u, s.owner);
    EXPECT_EQ("ale", s.shortName);
    EXPECT_EQ("Frothy", s.itemDescript);

    EXPECT_EQ("***WARNING*** file idef/12.def not found. You can probably ignore this\n",
              qtest::quietly([&] { EXPECT_EQ(-1, s.serializeFrom("idef/12.def")); }));
    EXPECT_EQ("ale", s.shortName);
}

TEST(QuestFile, FiveLinesAndASilentEnd)
{
    WorkDir wd("", false);
    Quest q;
    q.description = "Find my cat";
    q.itemTarget = "cat";
    q.reward = 75;
    q.bIsCompleted = true;
    q.flagId = 39;
    q.serializeTo("q.def");
    EXPECT_EQ(lines({"Find my cat", "cat", "75", "1", "39"}), wd.read("q.def"));
    Quest back;
    ASSERT_EQ(0, back.serializeFrom("q.def"));
    gamefix::expectSameQuest(q, back);

    EXPECT_EQ("", qtest::quietly([&] { EXPECT_EQ(-1, back.serializeFrom("qdef/3.def")); }));
    EXPECT_EQ("cat", back.itemTarget);
}

TEST(VarsFile, FortySixLinesAndRoundTrip)
{
    WorkDir wd("", false);
    MiscVars v;
    v.gameName = "Long Night";
    v.menuScreen = 2;
    v.frames = 3000000000u;
    v.drunkenness = 2.7f;
    v.hasFloater = true;
    v.flags[0] = v.flags[39] = true;
    v.dir = "tutorial";
    v.talkTimer = 900;   // not saved
    v.serializeTo("vars.sav");
    std::vector<std::string> want = {"Long Night", "2", "-1294967296", "2", "1", "1"};
    for (int i = 1; i < 39; i++)
        want.push_back("0");
    want.push_back("1");
    want.push_back("tutorial");
    EXPECT_EQ(lines(want), wd.read("vars.sav"));

    MiscVars back;
    EXPECT_EQ("", qtest::quietly([&] { EXPECT_EQ(0, back.serializeFrom("vars.sav")); }));
    gamefix::expectSameVars(v, back);
    EXPECT_FLOAT_EQ(2.0f, back.drunkenness);
    EXPECT_FLOAT_EQ(0.0f, back.talkTimer);

    EXPECT_EQ("*** ERROR *** File not found: nowhere/vars.sav\n",
              qtest::quietly([&] { EXPECT_EQ(-1, back.serializeFrom("nowhere/vars.sav")); }));
    EXPECT_EQ("tutorial", back.dir);
}

TEST(VarsFile, AShortFileStopsAtTheFirstFlagAfterTheEnd)
{
    WorkDir wd("", false);
    auto preset = [](MiscVars& v) {
        for (bool& f : v.flags)
            f = true;
        v.dir = "keep";
    };
    // Five full lines: the read of flag 0 meets the end and gives false, then the reader stops.
    wd.write("five.sav", lines({"Name", "0", "10", "1", "1"}));
    MiscVars v;
    preset(v);
    EXPECT_EQ("File too short!\n", qtest::quietly([&] { EXPECT_EQ(0, v.serializeFrom("five.sav")); }));
    EXPECT_FALSE(v.flags[0]);
    for (int i = 1; i < 40; i++)
        EXPECT_TRUE(v.flags[i]) << i;
    EXPECT_EQ("keep", v.dir);
    EXPECT_TRUE(v.hasFloater);
    EXPECT_EQ("Name", v.gameName);

    // Without the last line feed the end is met on line 5 already: flag 0 is kept too.
    wd.write("cut.sav", "Name\n0\n10\n1\n1");
    MiscVars c;
    preset(c);
    EXPECT_EQ("File too short!\n", qtest::quietly([&] { EXPECT_EQ(0, c.serializeFrom("cut.sav")); }));
    EXPECT_TRUE(c.flags[0]);

    // Flags are true from 1 up.
    std::vector<std::string> ls = {"Name", "0", "10", "1", "0", "2", "-1", "0"};
    while (ls.size() < 45)
        ls.push_back("1");
    ls.push_back("data");
    wd.write("full.sav", lines(ls));
    MiscVars f;
    EXPECT_EQ(0, f.serializeFrom("full.sav"));
    EXPECT_TRUE(f.flags[0]);
    EXPECT_FALSE(f.flags[1]);
    EXPECT_FALSE(f.flags[2]);
    EXPECT_TRUE(f.flags[3]);
    EXPECT_EQ("data", f.dir);
}

TEST(RecordWriting, AFileThatCannotBeWrittenIsSilentAndWriteToSaysSo)
{
    WorkDir wd("", false);
    Actor a;
    Item i;
    Quest q;
    MiscVars v;
    EXPECT_EQ("", qtest::quietly([&] {
        a.serializeTo("missing/0.def");
        i.serializeTo("missing/1.def");
        q.serializeTo("missing/2.def");
        v.serializeTo("missing/vars.sav");
    }));
    EXPECT_FALSE(wd.exists("missing"));
    EXPECT_FALSE(a.writeTo("missing/0.def"));
    EXPECT_FALSE(q.writeTo("missing/2.def"));
    // A full disk: the file opens, but the lines never land.
    EXPECT_FALSE(a.writeTo("/dev/full"));
    EXPECT_FALSE(i.writeTo("/dev/full"));
    EXPECT_FALSE(q.writeTo("/dev/full"));
    EXPECT_FALSE(v.writeTo("/dev/full"));
    EXPECT_TRUE(a.writeTo("ok.def"));
}

TEST(RecordReading, BinaryGarbageEndsCleanlyWithinLineLimits)
{
    WorkDir wd("", false);
    std::string junk;
    unsigned s = 12345;
    for (int n = 0; n < 200000; n++) {
        s = s * 1103515245u + 12345u;
        char c = (char)(s >> 16);
        junk += (n % 997 == 0) ? '\n' : c;
    }
    wd.write("junk", junk);
    Actor a;
    Item i;
    Quest q;
    MiscVars v;
    qtest::quietly([&] {
        EXPECT_EQ(0, a.serializeFrom("junk"));
        EXPECT_EQ(0, i.serializeFrom("junk"));
        EXPECT_EQ(0, q.serializeFrom("junk"));
        EXPECT_EQ(0, v.serializeFrom("junk"));
    });
    EXPECT_LE(a.myName.size(), 400u);
    EXPECT_LE(i.shortName.size(), 400u);
    EXPECT_LE(q.description.size(), 400u);
    EXPECT_LE(v.dir.size(), 400u);
}
