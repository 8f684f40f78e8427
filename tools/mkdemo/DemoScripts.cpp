// The demo's texts: the two-script story, the data scripts of the extras, the
// weather lists and "System.List". Scripts are written with CR LF line ends, as
// the game's authors' editors save them.
#include "tools/mkdemo/DemoContent.h"
#include "tools/mkdemo/DemoExtras.h"

#include <string>

namespace hgl::demo
{
namespace
{
std::u16string WithCRLF(const std::u16string &text)
{
    std::u16string out;
    for (char16_t c : text)
    {
        if (c == u'\n') out += u'\r';
        out += c;
    }
    return out;
}

void AddScript(DemoContent &content, const std::u16string &path, const std::u16string &text)
{
    content.AddLocal(path, TextFile(WithCRLF(text)));
}

// The first chapter: messages with names, faces (a five-letter face is the
// portrait on the left, a six-letter one on the right), speaker icons and voices
// (enough of them for the backlog to scroll), a shouted line the player cannot
// hide ("%LC") in a shaking window, a novel page
// of more than twelve rows that turns over by itself, another after CLEAR with
// the two inline pictures, the window switched off, two lines that play on by
// themselves, a centred line under a cut-in; a background, three characters (a
// slide, a move, a pose change within a family, a mirrored one), a mood, music, a
// sound effect, snow and a butterfly, a choice of three whose middle option shows
// only once the story has been played to its end (the system flag that also
// unlocks the extras), its answers reached through SWITCH and CaseGoto, and the
// call of the second script.
const char16_t kMain00[] = uR"S(// 演示故事 第一章
func main()
{
    BGM_PLAY("BGM01", 1);
    BG_SET("bg01");
    MSPEED(0);
    FONT(0);
    CHR_SET0("XYAB00L");
    CHR_DSP1("YYAB00L");
    INTCHR2("QGAB00L", "BRIGHT", "RIGHT", 5);
    MOV_CHR("LEFT", 0, 5);
    ICON_LEFT_START("YYABA", 1.0);
    ICON_RIGHT_START("QGABA", 1.0);
    RSET("HMOODSPEED", "100");
    SetMood(1, "ase", 470.0, 120.0);
    ShowMessage("XYABA", "XY_001", "【小雪】早上好。这里是演示故事。");
    ShowMessage("", "YY_001", "【小遥】我在左上角的框里说话。");
    CHR_DSP0("XYAC01L");
    FANZHUAN2();
    ICON_LEFT_END();
    ShowMessage("XYABAR", "XY_002", "【小雪】下雪了，要一起出去走走吗？");
    ShowMessage("YYABA", "yy_002", "【小遥】早上好，小雪。今天好冷啊。");
    ShowMessage("XYABA", "xy_003", "【小雪】是啊，窗户上都结了霜。");
    ShowMessage("QGABA", "qg_002", "【青歌】你们两个在说什么呢？");
    ShowMessage("YYABA", "yy_003", "【小遥】在说天气。青歌，你也一起来吧。");
    ShowMessage("QGABA", "qg_003", "【青歌】好啊。不过先让我把围巾找出来。");
    ShowMessage("XYABA", "xy_004", "【小雪】围巾在门口的柜子里，我昨天看见了。");
    ShowMessage("YYABA", "yy_004", "【小遥】那我们在楼下等你。");
    VIB_MSG(5);
    ShowMessageL("", "QG_001", "【青歌】喂——等等我！%LC");
    SE_PLAY(0, "se01", 0);
    StartSnow();
    StartButterFly(20);
    MES("雪一直下着，城市变得很安静。这是一段小说模式的文字，一行写不下。");
    MES("街上的行人越来越少，路灯一盏接一盏地亮了起来，照着飘落的雪花。");
    MES("小雪把围巾又绕了一圈，回头看了看远处的钟楼，钟声刚好响起来。%N");
    MES("【小雪】“今天会下一整夜吧。”她轻轻地说，像是在对自己说话。");
    MES("青歌从后面追了上来，气喘吁吁地停在两个人的身边，笑个不停。");
    MES("三个人沿着河边慢慢地走着，谁也没有再说话，只听见踩雪的声音。%K%P");
    MES("这一行放不下了，所以新的一页从这里开始：十二行是一页的极限。");
    CLEAR();
    MES("翻过一页，故事继续。这里有两个小图：＃和￥。");
    WIN_OFF();
    MSPEED(40);
    ShowMessage("", "", "【小雪】这两句自己走。");
    ShowMessage("", "", "【小雪】自动播放。");
    MSPEED(0);
    CGCUT("x");
    MESC("—— 第一章 ——");
    CGCUTOFF();
    SELECT("S1", 3);
    SELDT("一起去");
    SELDT_Switch("叫上小遥", "HEXTRA", " ", " ");
    SELDT("下次吧");
    SWITCH("S1", 0);
    CaseGoto(0, "L_YES");
    CaseGoto(1, "L_YY");
    CaseGoto(2, "L_NO");
L_YES:
    MES("【小雪】太好了！");
    goto L_END;
L_YY:
    MES("【小雪】好啊，三个人一起去。");
    goto L_END;
L_NO:
    MES("【小雪】那下次吧。");
L_END:
    RSET("HEXTRA", "1");
    EXT_CALL("MAIN01");
}
)S";

// The second chapter: the backgrounds' wipes, layers, parts, pan and zoom, an
// event picture (it marks C001 seen), the end of the snow and the music, and the
// story's end with the credits.
const char16_t kMain01[] = uR"S(// 演示故事 第二章
func main()
{
    BG_FLG(10, 1, "bg02");
    BG_FLG(10, 9, "sky");
    BG_FLG(8, 12, "bg03");
    BG_DSP0("bg01");
    BG_DSP1("c002");
    BG_ERS1();
    BG_Part("bgwide", 0, 0, 0.5, 0.5, 13, 1000);
    BG_ToFull(1000);
    BG_SET("bgwide");
    MOVEBG(0.25, 0, 1, 1);
    BG_FLG(20, 11, "c001");
    BG_SET("c001");
    ZOOMBG(0.1, 0.1, 0.8, 0.8);
    ShowMessage("XYABA", "XY_002", "【小雪】谢谢你陪我看雪。");
    EndSnow();
    ICON_RIGHT_END();
    CHR_ERSA();
    BGM_STOP();
    GAME_END(7);
}
)S";

const char16_t kChapter[] = uR"S(func main()
{
    SetChapter("MAIN00", "第一章 初雪");
    SetChapter("MAIN01", "第二章 雪后");
}
)S";

const char16_t kDefine[] = uR"S(func main()
{
    SetCharView("XY", 1.0, 0.0, 0.5);
    SetCharView("YY", 1.0, 0.0, 0.5);
    SetCharView("QG", 1.0, 0.0, 0.5);
}
)S";

const char16_t kCharacter[] = uR"S(func main()
{
    SetChar("XY", "小雪(XY)", 0, 0, "");
    SetChar("YY", "小遥(YY)", 0, 0, "");
    SetChar("QG", "青歌(QG)", 0, 0, "");
}
)S";

const char16_t kImageSize[] = uR"S(func main()
{
    SetImageSize(0.2, 1.0);
}
)S";

const char16_t kStaff[] = uR"S(func ALL()
{
    SAY("演示游戏");
    SAY("");
    SAY("剧本：演示小组的编剧们");
    SAY("程序：引擎与游戏的开发者们，以及为他们写测试的人");
    SAY("");
    SAY("音乐：正弦波");
    SAY("美术：会画自己名字的图片");
    SAY("");
    SAY("");
    SAY("感谢您游玩这个演示游戏");
}
)S";

// The second movie unlocks by a system flag the demo story does not set.
const char16_t kMovie[] = uR"S(func main()
{
    SetMovie("Video\\m01.HGP", "m01", "OPEN", 200, 300, 400, 300);
    SetMovie("Video\\m02.HGP", "m02", "HMOVIE2", 1000, 300, 400, 300);
}
)S";

// Sixteen tracks, so the second row starts. "BGM01" (a 2-second file) is declared
// longer than its file and "BGM33" (1.5 seconds) shorter; the story plays BGM01
// and the title BGM33, the others stay locked until a story plays them.
const char16_t kMusic[] = uR"S(func main()
{
    SetMusic("BGM01", 0, 3, "Track 1 初雪", "m01.HGP");
    SetMusic("BGM33", 0, 1, "Track 2 雪后", "m02.HGP");
    SetMusic("BGM25", 0, 3, "Track 3 夜空", "m03.HGP");
    SetMusic("BGM02", 0, 1, "Track 4", "m04.HGP");
    SetMusic("BGM03", 0, 1, "Track 5", "m05.HGP");
    SetMusic("BGM04", 0, 1, "Track 6", "m06.HGP");
    SetMusic("BGM05", 0, 1, "Track 7", "m07.HGP");
    SetMusic("BGM06", 0, 1, "Track 8", "m08.HGP");
    SetMusic("BGM07", 0, 1, "Track 9", "m09.HGP");
    SetMusic("BGM08", 0, 1, "Track 10", "m10.HGP");
    SetMusic("BGM09", 0, 1, "Track 11", "m11.HGP");
    SetMusic("BGM10", 0, 1, "Track 12", "m12.HGP");
    SetMusic("BGM11", 0, 1, "Track 13", "m13.HGP");
    SetMusic("BGM12", 0, 1, "Track 14 第二排", "m14.HGP");
    SetMusic("BGM13", 0, 1, "Track 15", "m15.HGP");
    SetMusic("BGM14", 0, 1, "Track 16", "m16.HGP");
}
)S";

const char16_t kSystemList[] = u"GameName\t演示\nEnglishGameName\tDemo\n";

} // namespace

void AddScripts(DemoContent &content)
{
    AddScript(content, u"Script\\MAIN00.CPP", kMain00);
    AddScript(content, u"Script\\MAIN01.CPP", kMain01);
    AddScript(content, u"Script\\Chapter.CPP", kChapter);
    AddScript(content, u"Script\\Define.CPP", kDefine);
    AddScript(content, u"Script\\Character.CPP", kCharacter);
    AddScript(content, u"Script\\test.CPP", kImageSize);
    AddScript(content, u"Staff.CPP", kStaff);
    AddScript(content, u"Script\\Movie.CPP", kMovie);
    AddScript(content, u"Script\\Music.CPP", kMusic);
    AddAlbumAndGlossaryScripts(content);

    AddScript(content, u"System.List", kSystemList);
    // One script name per line: MAIN01 runs in the rain; the other effects list none.
    AddScript(content, u"rain.txt", u"MAIN01\n");
    for (const char16_t *list : {u"black.txt", u"sun.txt", u"flower.txt", u"snow.txt"})
        AddScript(content, list, u"");
}
} // namespace hgl::demo
