// The 71 script functions of the characters, registered from one table in its
// order. The slot is part of each function's name, so only "MOV_CHR" takes one.
#include "game/stage/char/CharManage.h"

#include "core/Log.h"
#include "script/DevilEngine.h"

#include <variant>

namespace avg
{
struct CharFunctionTable
{
    using Str = const hgl::u16char *;
    using Handler = std::variant<void (CharManage::*)(Str), void (CharManage::*)(Str, Str),
                                 void (CharManage::*)(Str, Str, Str), void (CharManage::*)(),
                                 void (CharManage::*)(Str, int, int),
                                 void (CharManage::*)(Str, Str, Str, int), void (CharManage::*)(float)>;
    struct Row
    {
        const hgl::u16char *declaration;
        Handler handler;
    };
    static const Row rows[];
};

const CharFunctionTable::Row CharFunctionTable::rows[] = {
    {u"void CHR_DSP0(string)", &CharManage::Display<0>},
    {u"void CHR_DSP1(string)", &CharManage::Display<1>},
    {u"void CHR_DSP2(string)", &CharManage::Display<2>},
    {u"void CHR_DSP3(string)", &CharManage::Display<3>},
    {u"void CHR_DSP4(string)", &CharManage::Display<4>},
    {u"void CHR_DSP5(string)", &CharManage::Display<5>},
    {u"void CHR_DSP0_P(string)", &CharManage::Display<0>},
    {u"void CHR_DSP1_P(string)", &CharManage::Display<1>},
    {u"void CHR_DSP2_P(string)", &CharManage::Display<2>},
    {u"void CHR_DSP3_P(string)", &CharManage::Display<3>},
    {u"void CHR_DSP4_P(string)", &CharManage::Display<4>},
    {u"void CHR_DSP5_P(string)", &CharManage::Display<5>},
    {u"void CHR_SET0(string)", &CharManage::Display<0>},
    {u"void CHR_SET1(string)", &CharManage::Display<1>},
    {u"void CHR_SET2(string)", &CharManage::Display<2>},
    {u"void CHR_SET3(string)", &CharManage::Display<3>},
    {u"void CHR_SET4(string)", &CharManage::Display<4>},
    {u"void CHR_SET5(string)", &CharManage::Display<5>},
    {u"void CHR_DSPW01(string,string)", &CharManage::DisplayTwo<0, 1>},
    {u"void CHR_DSPW02(string,string)", &CharManage::DisplayTwo<0, 2>},
    {u"void CHR_DSPW12(string,string)", &CharManage::DisplayTwo<1, 2>},
    {u"void CHR_SETW01(string,string)", &CharManage::DisplayTwo<0, 1>},
    {u"void CHR_SETW02(string,string)", &CharManage::DisplayTwo<0, 2>},
    {u"void CHR_SETW12(string,string)", &CharManage::DisplayTwo<1, 2>},
    {u"void CHR_DSPT012(string,string,string)", &CharManage::DisplayThree<0, 1, 2>},
    {u"void CHR_DSPT021(string,string,string)", &CharManage::DisplayThree<0, 2, 1>},
    {u"void CHR_DSPT102(string,string,string)", &CharManage::DisplayThree<1, 0, 2>},
    {u"void CHR_SETT012(string,string,string)", &CharManage::DisplayThree<0, 1, 2>},
    {u"void CHR_SETT021(string,string,string)", &CharManage::DisplayThree<0, 2, 1>},
    {u"void CHR_SETT102(string,string,string)", &CharManage::DisplayThree<1, 0, 2>},
    {u"void CHR_ERS0()", &CharManage::EraseOne<0>},
    {u"void CHR_ERS1()", &CharManage::EraseOne<1>},
    {u"void CHR_ERS2()", &CharManage::EraseOne<2>},
    {u"void CHR_ERS3()", &CharManage::EraseOne<3>},
    {u"void CHR_ERS4()", &CharManage::EraseOne<4>},
    {u"void CHR_ERS5()", &CharManage::EraseOne<5>},
    {u"void CHR_ERSW01()", &CharManage::EraseTwo<0, 1>},
    {u"void CHR_ERSW02()", &CharManage::EraseTwo<0, 2>},
    {u"void CHR_ERSW12()", &CharManage::EraseTwo<1, 2>},
    {u"void CHR_ERSA()", &CharManage::EraseAll},
    {u"void MOV_CHR(string,int,int)", &CharManage::MoveChar},
    {u"void INTCHR0(string,string,string,int)", &CharManage::SlideIn<0>},
    {u"void INTCHR1(string,string,string,int)", &CharManage::SlideIn<1>},
    {u"void INTCHR2(string,string,string,int)", &CharManage::SlideIn<2>},
    {u"void INTCHR3(string,string,string,int)", &CharManage::SlideIn<3>},
    {u"void INTCHR4(string,string,string,int)", &CharManage::SlideIn<4>},
    {u"void INTCHR5(string,string,string,int)", &CharManage::SlideIn<5>},
    {u"void CHR0_Y(float)", &CharManage::OffsetY<0>},
    {u"void CHR1_Y(float)", &CharManage::OffsetY<1>},
    {u"void CHR2_Y(float)", &CharManage::OffsetY<2>},
    {u"void CHR3_Y(float)", &CharManage::OffsetY<3>},
    {u"void CHR4_Y(float)", &CharManage::OffsetY<4>},
    {u"void CHR5_Y(float)", &CharManage::OffsetY<5>},
    {u"void CHR0_X(float)", &CharManage::OffsetX<0>},
    {u"void CHR1_X(float)", &CharManage::OffsetX<1>},
    {u"void CHR2_X(float)", &CharManage::OffsetX<2>},
    {u"void CHR3_X(float)", &CharManage::OffsetX<3>},
    {u"void CHR4_X(float)", &CharManage::OffsetX<4>},
    {u"void CHR5_X(float)", &CharManage::OffsetX<5>},
    {u"void FANZHUAN0()", &CharManage::Facing<0>},
    {u"void FANZHUAN1()", &CharManage::Facing<1>},
    {u"void FANZHUAN2()", &CharManage::Facing<2>},
    {u"void FANZHUAN3()", &CharManage::Facing<3>},
    {u"void FANZHUAN4()", &CharManage::Facing<4>},
    {u"void FANZHUAN5()", &CharManage::Facing<5>},
    {u"void BUTTOMUP0()", &CharManage::UpsideDown<0>},
    {u"void BUTTOMUP1()", &CharManage::UpsideDown<1>},
    {u"void BUTTOMUP2()", &CharManage::UpsideDown<2>},
    {u"void BUTTOMUP3()", &CharManage::UpsideDown<3>},
    {u"void BUTTOMUP4()", &CharManage::UpsideDown<4>},
    {u"void BUTTOMUP5()", &CharManage::UpsideDown<5>},
};

void CharManage::RegisterFunctions(hgl::DevilEngine *engine)
{
    if (!engine) return;
    for (const CharFunctionTable::Row &row : CharFunctionTable::rows)
        if (!std::visit([&](auto handler) { return engine->MapMemberFunc(row.declaration, this, handler); },
                        row.handler))
            hgl::PutError(u"映射函数<%s>失败", row.declaration);
}

void CharManage::MoveChar(const hgl::u16char *position, int slot, int tenths)
{
    if (slot < 0 || slot >= kSlots)
    {
        hgl::PutError(u"MOV_CHR的位置<%d>超出0..5", slot);
        return;
    }
    Move(position, slot, tenths);
}
} // namespace avg
