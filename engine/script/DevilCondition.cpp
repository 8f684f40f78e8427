// The condition part of the function compiler: "if" with an optional "else". A
// condition is exactly one comparison of two operands, compiled into a jump that
// is taken when the comparison does not hold; the bodies go back through the
// statement compiler.
#include "script/DevilCompiler.h"

#include "core/Log.h"
#include "script/DevilComp.h"
#include "script/DevilCommand.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"
#include "script/DevilValue.h"
#include "script/Tokenizer.h"

#include <memory>
#include <string>

namespace hgl
{
using namespace angle_script;

namespace
{
std::u16string Decimal(int value)
{
    u16char digits[16];
    int n = 0;
    uint32 v = value < 0 ? 0u - uint32(value) : uint32(value);
    do
    {
        digits[n++] = u16char(u'0' + v % 10);
        v /= 10;
    } while (v);
    std::u16string out;
    if (value < 0) out.push_back(u'-');
    while (n)
        out.push_back(digits[--n]);
    return out;
}

class IfNesting
{
    DevilParse &parse;

  public:
    explicit IfNesting(DevilParse &p) : parse(p) { parse.EnterIf(); }
    ~IfNesting() { parse.LeaveIf(); }
    IfNesting(const IfNesting &) = delete;
    IfNesting &operator=(const IfNesting &) = delete;
};
} // namespace

bool DevilFunc::ParseIf(DevilParse &parse)
{
    if (parse.GetIfDepth() >= DEVIL_MAX_IF_NESTING) return false;
    const IfNesting nesting(parse);

    // Generated labels carry the index the conditional jump receives, so nested
    // conditions get distinct ones: "main_3_else", "main_3_end".
    std::u16string label = name;
    label += u'_';
    label += Decimal(GetCommandCount());
    const size_t base_length = label.size();
    const auto with_suffix = [&](std::u16string_view suffix) -> std::u16string_view
    {
        label.resize(base_length);
        label += suffix;
        return label;
    };

    DevilCompInterface *comp = BuildComp(parse);
    if (!comp) return false;

    auto *jump = new DevilCompGoto(engine, comp, this);
    AddCommand(jump);

    if (!ParseBlock(parse)) return false;

    std::u16string_view tok;
    if (parse.PeekToken(tok) == ttElse)
    {
        AddGoto(with_suffix(u"_end")); // the end of the "if" body skips the "else" body
        parse.GetToken(tok);
        jump->SetLabel(with_suffix(u"_else"));
        AddGotoFlag(with_suffix(u"_else")); // a refusal is logged there and changes nothing here
        if (!ParseBlock(parse)) return false;
    }
    else
    {
        jump->SetLabel(with_suffix(u"_end"));
    }

    AddGotoFlag(with_suffix(u"_end"));
    return true;
}

DevilCompInterface *DevilFunc::BuildComp(DevilParse &parse)
{
    parse.SkipTo(ttOpenParanthesis);

    std::unique_ptr<DevilValueInterface> left(ParseOperand(parse));
    if (!left) return nullptr;

    const int op = ParseCompOperator(parse);
    if (op == 0 || op == ttCloseParanthesis) return nullptr;

    std::unique_ptr<DevilValueInterface> right(ParseOperand(parse));
    if (!right) return nullptr;

    // Anything between the right operand and the ")" is passed over ("&& B == 2").
    parse.SkipTo(ttCloseParanthesis);

    // The comparison takes both operands over; a refusal leaves them here.
    DevilCompInterface *comp = CreateDevilComp(op, left.get(), right.get());
    if (comp)
    {
        left.release();
        right.release();
    }
    return comp;
}

DevilValueInterface *DevilFunc::ParseOperand(DevilParse &parse)
{
    std::u16string_view tok;
    const eTokenType t = parse.GetToken(tok);

    switch (t)
    {
    case ttIdentifier:
    {
        const std::u16string_view id = tok;
        std::u16string_view next;

        if (parse.PeekToken(next) == ttOpenParanthesis)
        {
            const DevilFuncMap *fm = engine->GetFuncMap(id);
            if (!fm) return nullptr;
            parse.GetToken(next);

            // Not run now: the call runs each time the condition is evaluated.
            std::unique_ptr<DevilSystemFuncCallFixed> call(ParseCallArgs(parse, fm));
            if (!call)
            {
                PutInfo(u"if中的真实函数映射没有找到");
                return nullptr;
            }
            DevilValueInterface *value = CreateDevilFuncValue(engine, call.get());
            if (!value)
            {
                PutInfo(u"if中调用的函数返回类型无法支持");
                return nullptr;
            }
            call.release(); // the value owns the call now
            return value;
        }

        const DevilPropertyMap *pm = engine->GetPropertyMap(id);
        if (!pm)
        {
            // Script variables are no operands either: they land here too.
            PutInfo(u"没有找到属性映射<%s>", DevilTokenText(id).c_str());
            return nullptr;
        }
        DevilValueInterface *value = CreateDevilPropertyValue(engine, pm);
        if (!value)
        {
            // A variable registered with a token that is no keyword has no text to show.
            const u16char *type_name = asCTokenizer::GetDefinition(pm->type);
            PutInfo(u"if 比较指令暂时不支持<%s>类型的数据进行比较", type_name ? type_name : u"");
        }
        return value;
    }

    case ttTrue:
    case ttFalse:
        return new DevilBool(engine, DevilTokenText(tok).c_str());

    case ttIntConstant:
        return new DevilUInteger(engine, DevilTokenText(tok).c_str());

    case ttFloatConstant:
        return new DevilFloat(engine, DevilTokenText(tok).c_str());

    case ttDoubleConstant:
        return new DevilDouble(engine, DevilTokenText(tok).c_str());

    case ttMinus:
        switch (parse.GetToken(tok))
        {
        case ttIntConstant:
            return new DevilInteger(engine, DevilTokenText(tok, u"-").c_str());
        case ttFloatConstant:
            return new DevilFloat(engine, DevilTokenText(tok, u"-").c_str());
        case ttDoubleConstant:
            return new DevilDouble(engine, DevilTokenText(tok, u"-").c_str());
        default:
            return nullptr;
        }

    default:
        return nullptr; // strings, hexadecimal and heredoc constants, "(", "!", ...
    }
}

int DevilFunc::ParseCompOperator(DevilParse &parse)
{
    std::u16string_view tok;
    const int t = parse.GetToken(tok);
    if (t >= ttEqual && t <= ttGreaterThanOrEqual) return t;
    if (t == ttCloseParanthesis) return ttCloseParanthesis;
    return 0;
}

} // namespace hgl
