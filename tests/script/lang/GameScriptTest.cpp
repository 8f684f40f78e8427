// The natives the game binds, by their own declarations (one with a trailing ";",
// one with a space before a comma): each is bound, called from a script with
// constants of its parameter types, compiled and run, and receives what was written.
#include "ScriptHost.h"

#include <map>

using namespace lang_test;
using hgl::test::LogCapture;

namespace
{
std::vector<std::u16string> g_received;

std::u16string Show(const u16char *s) { return u"\"" + std::u16string(s ? s : u"<null>") + u"\""; }
std::u16string Show(int32 v) { return hgl::Format(u"%d", v); }
std::u16string Show(float v) { return hgl::Format(u"%g", double(v)); }

template<class... A> void Record(A... a)
{
    std::u16string line;
    ((line += Show(a), line += u';'), ...);
    g_received.push_back(line);
}

using Binder = bool (*)(hgl::DevilVM *, const u16char *);
template<class... A> bool Bind(hgl::DevilVM *vm, const u16char *decl) { return vm->MapFunc(decl, &Record<A...>); }

using S = const u16char *;
using I = int32;
using F = float;

const std::map<std::u16string, Binder> kBinders = {
    {u"", &Bind<>},
    {u"float", &Bind<F>},
    {u"float,float", &Bind<F, F>},
    {u"float,float,float,float", &Bind<F, F, F, F>},
    {u"int", &Bind<I>},
    {u"int,float,float,float,float", &Bind<I, F, F, F, F>},
    {u"int,int", &Bind<I, I>},
    {u"int,int,int", &Bind<I, I, I>},
    {u"int,int,string", &Bind<I, I, S>},
    {u"int,string", &Bind<I, S>},
    {u"int,string,float,float", &Bind<I, S, F, F>},
    {u"string", &Bind<S>},
    {u"string,float", &Bind<S, F>},
    {u"string,float,float,float,float,int,int", &Bind<S, F, F, F, F, I, I>},
    {u"string,float,float,string,float,float", &Bind<S, F, F, S, F, F>},
    {u"string,int", &Bind<S, I>},
    {u"string,int,int", &Bind<S, I, I>},
    {u"string,int,int,string,string", &Bind<S, I, I, S, S>},
    {u"string,string", &Bind<S, S>},
    {u"string,string,int,int,string", &Bind<S, S, I, I, S>},
    {u"string,string,string", &Bind<S, S, S>},
    {u"string,string,string,float,float,float,float", &Bind<S, S, S, F, F, F, F>},
    {u"string,string,string,int", &Bind<S, S, S, I>},
    {u"string,string,string,string", &Bind<S, S, S, S>},
};

const u16char *const kGameDeclarations[] = {
    u"void BG_BLACK()", u"void BG_COLOR(int,int,int)", u"void BG_DSP0(string)", u"void BG_DSP3(string)",
    u"void BG_DSPX0(string)", u"void BG_DSPX3(string)", u"void BG_DSP_DEF0(string)",
    u"void BG_DSP_DEF3(string)", u"void BG_ERS0()", u"void BG_ERS3()", u"void BG_ERSA()", u"void BG_ERSW13()",
    u"void BG_FLG(int,int,string)", u"void BG_FadeToPart(int,float,float,float,float)",
    u"void BG_INVISIBLE0(string)", u"void BG_INVISIBLE3(string)", u"void BG_INVISIBLEW13(string,string)",
    u"void BG_Part(string,float,float,float,float,int,int)", u"void BG_SET(string)", u"void BG_SET0(string)",
    u"void BG_SET3(string)", u"void BG_SETW01(string,float,float,string,float,float)",
    u"void BG_SETW02(string,string)", u"void BG_SETW13(string,string)", u"void BG_SETW23(string,string)",
    u"void BG_SETX0(string)", u"void BG_SETX3(string)", u"void BG_SET_DEF0(string)",
    u"void BG_SET_DEF3(string)", u"void BG_SWP(int,int)", u"void BG_ToFull(int)",
    u"void BG_ToPart(int,float,float,float,float)", u"void BG_WHITE()", u"void BUTTOMUP0()",
    u"void BUTTOMUP5()", u"void CGCUT(string)", u"void CGCUTOFF()", u"void CHR0_X(float)",
    u"void CHR0_Y(float)", u"void CHR5_X(float)", u"void CHR5_Y(float)", u"void CHR_DSP0(string)",
    u"void CHR_DSP0_P(string)", u"void CHR_DSP5(string)", u"void CHR_DSP5_P(string)",
    u"void CHR_DSPT012(string,string,string)", u"void CHR_DSPT021(string,string,string)",
    u"void CHR_DSPT102(string,string,string)", u"void CHR_DSPW01(string,string)",
    u"void CHR_DSPW02(string,string)", u"void CHR_DSPW12(string,string)", u"void CHR_ERS0()",
    u"void CHR_ERS5()", u"void CHR_ERSA()", u"void CHR_ERSW01()", u"void CHR_ERSW02()", u"void CHR_ERSW12()",
    u"void CHR_SET0(string)", u"void CHR_SET5(string)", u"void CHR_SETT012(string,string,string)",
    u"void CHR_SETT021(string,string,string)", u"void CHR_SETT102(string,string,string)",
    u"void CHR_SETW01(string,string)", u"void CHR_SETW02(string,string)", u"void CHR_SETW12(string,string)",
    u"void CLEAR()", u"void CaseGoto(int,string)", u"void EndBubble()", u"void EndSnow()", u"void FADE_IN()",
    u"void FADE_OUT()", u"void FANX(int)", u"void FANZHUAN0()", u"void FANZHUAN5()", u"void FONT(int)",
    u"void ICON_LEFT_END()", u"void ICON_LEFT_START(string,float)", u"void ICON_MID_END()",
    u"void ICON_MID_START(string,float)", u"void ICON_RIGHT_END()", u"void ICON_RIGHT_START(string,float)",
    u"void INTCHR0(string,string,string,int)", u"void INTCHR5(string,string,string,int)", u"void MES(string)",
    u"void MESC(string)", u"void MOVEBG(float,float,float,float)", u"void MOV_CHR(string,int,int)",
    u"void SAY(string)", u"void SELDT(string)", u"void SELDT_Switch(string,string,string,string)",
    u"void SELECT(string,int)", u"void SWITCH(string,int)", u"void SetBG(string)", u"void SetCG(string,int)",
    u"void SetChar(string,string,int,int,string);", u"void SetImageSize(float,float)",
    u"void SetMood(int , string,float,float)", u"void SetMovie(string,string,string,float,float,float,float)",
    u"void SetMusic(string,int,int,string,string)", u"void SetObject(string,string,string)",
    u"void SetSceneB(string,string)", u"void SetSceneBZ(string)",
    u"void SetTips(string,string,string,string)", u"void SetZCG(string,int)",
    u"void ShowMessage(string,string,string)", u"void ShowMessageL(string,string,string)",
    u"void StartButterFly(int)", u"void StartSnow()", u"void VIB_DOKA()", u"void VIB_STP(int)",
    u"void ZOOMBG(float,float,float,float)", u"void ZOOMIN()", u"void ZOOMOUT()"};

// The binder's key: the parameter list without its spaces.
std::u16string Params(std::u16string_view decl)
{
    std::u16string p;
    const size_t open = decl.find(u'(');
    for (u16char c : decl.substr(open + 1, decl.find(u')') - open - 1))
        if (c != u' ') p += c;
    return p;
}
} // namespace

TEST(GameScripts, EveryGameNativeCompilesAndRuns)
{
    std::unique_ptr<hgl::DevilVM> vm(hgl::NewDevilEngine());
    auto *engine = static_cast<hgl::DevilEngine *>(vm.get());
    LogCapture log;

    std::u16string body;
    std::vector<std::u16string> expected;
    int n = 0;
    for (const u16char *decl : kGameDeclarations) {
        const std::u16string_view d(decl);
        const std::u16string name(d.substr(d.find(u' ') + 1, d.find(u'(') - d.find(u' ') - 1));
        const std::u16string params = Params(d);
        const auto binder = kBinders.find(params);
        ASSERT_NE(binder, kBinders.end()) << hgl::test::U8(decl);
        ASSERT_TRUE(binder->second(vm.get(), decl)) << hgl::test::U8(decl) << log.Dump();
        const hgl::DevilFuncMap *fm = engine->GetFuncMap(name);
        ASSERT_NE(fm, nullptr) << hgl::test::U8(decl);
        EXPECT_EQ(fm->GetParamCount(), params.empty() ? 0 : int(std::count(params.begin(), params.end(), u',')) + 1)
            << hgl::test::U8(decl);

        // Arguments as the story scripts write them: Chinese texts, negative numbers,
        // floats with and without a fraction.
        std::u16string args, received;
        for (size_t i = 0; i < fm->params.size(); ++i, ++n) {
            if (i) args += (n % 3 == 0) ? u" , " : u",";
            if (fm->params[i] == angle_script::ttString) {
                const std::u16string text = hgl::Format(u"图%d\\n", n);
                args += u"\"" + text + u"\"";
                received += u"\"" + hgl::Format(u"图%d\n", n) + u"\";";
            } else if (fm->params[i] == angle_script::ttInt) {
                const int v = (n % 2) ? -n : n;
                args += hgl::Format(u"%d", v);
                received += hgl::Format(u"%d;", v);
            } else {
                args += (n % 2) ? hgl::Format(u"-%d.5", n) : hgl::Format(u"%d", n);
                received += (n % 2) ? hgl::Format(u"-%d.5;", n) : hgl::Format(u"%d;", n);
            }
        }
        body += u"    " + name + u"(" + args + u");\n";
        expected.push_back(received);
    }

    ASSERT_TRUE(vm->LoadScript(u"\uFEFF// 游戏脚本\nfunc main()\n{\n" + body + u"}\n")) << log.Dump();
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    ASSERT_NE(engine->GetScriptFunc(u"main"), nullptr);
    EXPECT_EQ(engine->GetScriptFunc(u"main")->GetCommandCount(), int(std::size(kGameDeclarations)));

    g_received.clear();
    EXPECT_TRUE(vm->RunFunc(u"main"));
    EXPECT_EQ(engine->GetStackDepth(), 0);      // ran to its end, nothing paused
    ASSERT_EQ(g_received.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(hgl::test::U8(g_received[i]), hgl::test::U8(expected[i])) << hgl::test::U8(kGameDeclarations[i]);
}
