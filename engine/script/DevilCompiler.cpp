// Script loading and the statement part of the function compiler: one pass over
// the token reader, each statement turned at once into commands of the function
// being compiled. Anything the language does not give a meaning to is passed over.
#include "script/DevilCompiler.h"

#include "core/Log.h"
#include "core/StrFunc.h"
#include "script/DevilCommand.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"
#include "script/DevilValue.h"
#include "script/Tokenizer.h"

#include <memory>

namespace hgl
{
using namespace angle_script;

bool DevilEngine::LoadScript(std::u16string_view text)
{
    if (text.empty() || !text.data()) return false;
    if (text.size() > 0x7FFFFFFFu)
    { // the reader counts in 32 bits
        PutError(u"脚本长度<%u>超出范围!", unsigned(text.size() > 0xFFFFFFFFu ? 0xFFFFFFFFu : text.size()));
        return false;
    }

    DevilParse parse(this, text);
    std::u16string_view tok;

    for (;;)
    {
        const eTokenType t = parse.GetToken(tok);

        if (t == ttEnum || t == ttConst) continue; // only the keyword itself is passed over
        if (t != ttFunc) return true;              // anything else ends the script

        // Whatever token follows is the name; at the end of the text the reader leaves
        // tok as it was ("func"), and the body then fails.
        parse.GetToken(tok);
        const std::u16string name(tok);

        if (GetScriptFunc(name))
        {
            PutInfo(u"脚本函数名称重复: %s", name.c_str());
            return false;
        }

        auto func = std::make_unique<DevilFunc>(this, name);
        if (!func->ParseFunc(parse))
        {
            func.reset();
            PutInfo(u"解晰函数<%s>失败!", name.c_str());
            return false;
        }

        // Added only now: a function can call only functions compiled before it. A
        // native run at compile time may have loaded a function of this name meanwhile.
        if (!AddScriptFunc(std::move(func)))
        {
            PutInfo(u"脚本函数名称重复: %s", name.c_str());
            return false;
        }
    }
}

bool DevilFunc::ParseFunc(DevilParse &parse)
{
    parse.SkipTo(ttCloseParanthesis); // the parameter text means nothing
    return ParseBlock(parse);
}

namespace
{
// Where a paused script stands, so that a native run at compile time that jumps it
// to a label (the game's choice jump does) leaves it where it was. A native that
// replaces or clears the stack is undone by the engine itself; a jump within the
// top frame is not, so it is put back here.
class KeptPosition
{
    uint32 epoch;
    int depth;
    DevilFunc *func = nullptr;
    int index = 0;

  public:
    explicit KeptPosition(const DevilEngine *engine)
        : epoch(engine->GetStackEpoch()), depth(engine->GetStackDepth())
    {
        if (depth > 0)
        {
            func = engine->GetFrame(depth - 1).func;
            index = engine->GetFrame(depth - 1).index;
        }
    }

    void Restore(DevilEngine *engine) const
    {
        if (!func || engine->GetStackEpoch() != epoch || engine->GetStackDepth() != depth) return;
        const ScriptFuncRunState &top = engine->GetFrame(depth - 1);
        if (top.func == func && top.index != index && engine->GetCurrentFunc() == func)
            engine->Goto(func, index);
    }
};

// A call statement: the name and its "(" have been read. False only when a native
// run at compile time cleared the engine (see below).
bool CompileCall(DevilFunc *func, DevilParse &parse, std::u16string_view name)
{
    DevilEngine *engine = func->GetEngine();

    if (const DevilFuncMap *fm = engine->GetFuncMap(name))
    {
        if (DevilSystemFuncCallFixed *call = func->ParseCallArgs(parse, fm))
        {
            func->AddCommand(call);
            // The command stays in the function either way; the hook only decides
            // whether it also runs once now.
            if (engine->CallCompileHook(fm->name.c_str()))
            {
                const int funcs = engine->GetScriptFuncCount();
                const int pooled = engine->GetPoolSize();
                const uint32 clears = engine->GetClearCount();
                const KeptPosition kept(engine);
                engine->RunCommandNow(call);
                kept.Restore(engine);
                // After a Clear the function being compiled may hold texts and call
                // targets that are about to be freed, so it must not be kept; with an
                // empty table and pool before it there was nothing to lose.
                if (engine->GetClearCount() != clears && (funcs > 0 || pooled > 0))
                {
                    PutError(u"编译时运行的函数<%s>清除了脚本引擎，编译中止!", fm->name.c_str());
                    return false;
                }
            }
            return true;
        }
        // Refused arguments: a script function of the same name may still take it.
    }

    if (DevilFunc *target = engine->GetScriptFunc(name))
    {
        // The tokens after "(" are read on as statements, not as arguments.
        func->AddScriptFuncCall(target);
        return true;
    }

    const DevilTokenText text(name);
    PutInfo(u"脚本调用函数没有找到相应的真实函数映射与脚本函数<%s>", text.c_str());
    return true;
}
} // namespace

bool DevilFunc::ParseBlock(DevilParse &parse)
{
    std::u16string_view tok;
    int depth = 0;

    if (parse.PeekToken(tok) == ttStartStatementBlock)
    {
        parse.GetToken(tok);
        depth = 1;
    }
    const bool single = (depth == 0);

    for (;;)
    {
        // In the single-statement form the statement's own ";" is skipped afterwards,
        // unless the statement has none left: an "if" (its bodies ended themselves),
        // a label, or a statement whose last token read was that ";" already. Skipping
        // regardless would swallow the statement after an "else if (...) { ... }".
        bool skip_to_end = true;

        const eTokenType t = parse.GetToken(tok);
        switch (t)
        {
        case ttStartStatementBlock:
            ++depth;
            break;

        case ttEndStatementBlock:
            --depth;
            break;

        case ttEnd:
            return false;

        case ttGoto:
            parse.GetToken(tok); // any token is the label
            AddGoto(tok);
            break;

        case ttIf:
            if (!ParseIf(parse))
            {
                PutError(u"if解析错误");
                return false;
            }
            skip_to_end = false;
            break;

        case ttReturn:
            // What follows is compiled as further statements.
            AddReturn();
            break;

        case ttIdentifier:
        {
            const std::u16string_view name = tok;
            const eTokenType next = parse.GetToken(tok);
            if (next == ttColon)
            {
                if (!AddGotoFlag(name))
                {
                    PutError(u"冒号后面的字段无法解析!");
                    return false;
                }
                skip_to_end = false;
            }
            else if (next == ttOpenParanthesis)
            {
                if (!CompileCall(this, parse, name)) return false;
            }
            else
            {
                // Both tokens are passed over (an assignment, an expression, ...).
                skip_to_end = parse.GetLastType() != ttEndStatement;
            }
            break;
        }

        case ttEndStatement:
            skip_to_end = false;
            break;

        default:
            if (IsTypeToken(t))
            {
                ParseValueDef(parse, t);
                skip_to_end = parse.GetLastType() != ttEndStatement;
            }
            break; // anything else has no meaning here: passed over
        }

        if (depth == 0)
        {
            if (single && skip_to_end) parse.SkipTo(ttEndStatement);
            return true;
        }
    }
}

void DevilFunc::ParseValueDef(DevilParse &parse, int type)
{
    std::u16string_view tok;
    if (parse.GetToken(tok) != ttIdentifier) return;
    const std::u16string var(tok);

    if (!AddValue(type, var))
    {
        PutError(u"函数<%s>的变量<%s>定义式无法解析", name.c_str(), var.c_str());
        return;
    }

    if (parse.GetToken(tok) != ttAssignment) return; // ";" or anything else ends it

    // The initialiser is read and dropped: no command assigns a script variable, and a
    // native function named in it is never called.
    DevilValueInterface *init = ParseOperand(parse);
    if (!init) PutError(u"函数<%s>的变量<%s>定义时的赋值式无法解析", name.c_str(), var.c_str());
    delete init;
}

DevilSystemFuncCallFixed *DevilFunc::ParseCallArgs(DevilParse &parse, const DevilFuncMap *fm)
{
    if (!fm)
    { // no native: refused like bad arguments
        parse.SkipTo(ttCloseParanthesis);
        return nullptr;
    }
    auto call = std::make_unique<DevilSystemFuncCallFixed>(fm);
    const int count = fm->GetParamCount();
    std::u16string_view tok;
    std::u16string unescaped;
    bool accepted = true;

    for (int i = 0; i < count && accepted; ++i)
    {
        eTokenType t;
        do
            t = parse.GetToken(tok); // commas are optional and may repeat
        while (t == ttListSeparator);

        const eTokenType param = fm->params[size_t(i)];
        DevilArgSlot &slot = call->Arg(i);

        bool negative = false;
        if (t == ttMinus && (param == ttInt || param == ttInt8 || param == ttInt16 || param == ttFloat))
        {
            negative = true;
            t = parse.GetToken(tok);
        }

        switch (param)
        {
        case ttBool:
            if (t == ttTrue)
                slot.u = 1;
            else if (t == ttFalse)
                slot.u = 0;
            else if (t == ttIntConstant)
                slot.i = StrToInt(DevilTokenText(tok).c_str());
            else
                accepted = false;
            break;

        case ttString:
            if (t == ttStringConstant)
            {
                // The constant always has both quotes; its inside is pooled unescaped.
                UnescapeString(unescaped, tok.data() + 1, int(tok.size()) - 2);
                slot.s = engine->AddPoolString(unescaped);
            }
            else
            {
                accepted = false;
            }
            break;

        case ttInt:
        case ttInt8:
        case ttInt16:
            // The narrow types are kept as full words; nothing is range-checked.
            if (t == ttIntConstant)
            {
                const uint32 v = uint32(StrToInt(DevilTokenText(tok).c_str()));
                slot.u = negative ? 0u - v : v; // wraps as the 32-bit word does
            }
            else if (t == ttFloatConstant || t == ttDoubleConstant)
            {
                const float v = StrToFloat(DevilTokenText(tok).c_str());
                slot.u = DevilFloatToWord(negative ? -v : v);
            }
            else
            {
                accepted = false;
            }
            break;

        case ttUInt:
        case ttUInt8:
        case ttUInt16:
            if (t == ttIntConstant)
                slot.u = StrToUInt(DevilTokenText(tok).c_str());
            else if (t == ttFloatConstant || t == ttDoubleConstant)
                slot.u = DevilFloatToWord(StrToFloat(DevilTokenText(tok).c_str()));
            else
                accepted = false;
            break;

        case ttFloat:
            if (t == ttIntConstant)
            {
                const float v = float(StrToInt(DevilTokenText(tok).c_str()));
                slot.f = negative ? -v : v;
            }
            else if (t == ttFloatConstant || t == ttDoubleConstant)
            {
                const float v = StrToFloat(DevilTokenText(tok).c_str());
                slot.f = negative ? -v : v;
            }
            else
            {
                accepted = false;
            }
            break;

        default:
            accepted = false; // no constant of this type exists
            break;
        }
    }

    // Surplus arguments are passed over with the closing parenthesis. A refused call
    // skips to the next ")" from where it stopped; with too few arguments that is the
    // ")" of some later statement, whose text is lost with it. Scripts were written
    // against this, so it stays; the call site logs that nothing was compiled.
    parse.SkipTo(ttCloseParanthesis);

    if (!accepted) return nullptr;
    return call.release();
}

} // namespace hgl
