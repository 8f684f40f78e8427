// The 71 script functions of the characters, registered from one table in its
// order. The slot is part of each function's name, so only "MOV_CHR" takes one.
#include "game/stage/char/CharManage.h"

#include "core/Log.h"
#include "script/ScriptFunctionTable.h"

namespace avg
{
struct CharFunctionTable
{
    static const hgl::ScriptFunction<CharManage> rows[];
};

const hgl::ScriptFunction<CharManage> CharFunctionTable::rows[] = {
    {u"void CHR_DSP0(string)", hgl::Bind<&CharManage::Display<0>>},
    {u"void CHR_DSP1(string)", hgl::Bind<&CharManage::Display<1>>},
    {u"void CHR_DSP2(string)", hgl::Bind<&CharManage::Display<2>>},
    {u"void CHR_DSP3(string)", hgl::Bind<&CharManage::Display<3>>},
    {u"void CHR_DSP4(string)", hgl::Bind<&CharManage::Display<4>>},
    {u"void CHR_DSP5(string)", hgl::Bind<&CharManage::Display<5>>},
    {u"void CHR_DSP0_P(string)", hgl::Bind<&CharManage::Display<0>>},
    {u"void CHR_DSP1_P(string)", hgl::Bind<&CharManage::Display<1>>},
    {u"void CHR_DSP2_P(string)", hgl::Bind<&CharManage::Display<2>>},
    {u"void CHR_DSP3_P(string)", hgl::Bind<&CharManage::Display<3>>},
    {u"void CHR_DSP4_P(string)", hgl::Bind<&CharManage::Display<4>>},
    {u"void CHR_DSP5_P(string)", hgl::Bind<&CharManage::Display<5>>},
    {u"void CHR_SET0(string)", hgl::Bind<&CharManage::Display<0>>},
    {u"void CHR_SET1(string)", hgl::Bind<&CharManage::Display<1>>},
    {u"void CHR_SET2(string)", hgl::Bind<&CharManage::Display<2>>},
    {u"void CHR_SET3(string)", hgl::Bind<&CharManage::Display<3>>},
    {u"void CHR_SET4(string)", hgl::Bind<&CharManage::Display<4>>},
    {u"void CHR_SET5(string)", hgl::Bind<&CharManage::Display<5>>},
    {u"void CHR_DSPW01(string,string)", hgl::Bind<&CharManage::DisplayTwo<0, 1>>},
    {u"void CHR_DSPW02(string,string)", hgl::Bind<&CharManage::DisplayTwo<0, 2>>},
    {u"void CHR_DSPW12(string,string)", hgl::Bind<&CharManage::DisplayTwo<1, 2>>},
    {u"void CHR_SETW01(string,string)", hgl::Bind<&CharManage::DisplayTwo<0, 1>>},
    {u"void CHR_SETW02(string,string)", hgl::Bind<&CharManage::DisplayTwo<0, 2>>},
    {u"void CHR_SETW12(string,string)", hgl::Bind<&CharManage::DisplayTwo<1, 2>>},
    {u"void CHR_DSPT012(string,string,string)", hgl::Bind<&CharManage::DisplayThree<0, 1, 2>>},
    {u"void CHR_DSPT021(string,string,string)", hgl::Bind<&CharManage::DisplayThree<0, 2, 1>>},
    {u"void CHR_DSPT102(string,string,string)", hgl::Bind<&CharManage::DisplayThree<1, 0, 2>>},
    {u"void CHR_SETT012(string,string,string)", hgl::Bind<&CharManage::DisplayThree<0, 1, 2>>},
    {u"void CHR_SETT021(string,string,string)", hgl::Bind<&CharManage::DisplayThree<0, 2, 1>>},
    {u"void CHR_SETT102(string,string,string)", hgl::Bind<&CharManage::DisplayThree<1, 0, 2>>},
    {u"void CHR_ERS0()", hgl::Bind<&CharManage::EraseOne<0>>},
    {u"void CHR_ERS1()", hgl::Bind<&CharManage::EraseOne<1>>},
    {u"void CHR_ERS2()", hgl::Bind<&CharManage::EraseOne<2>>},
    {u"void CHR_ERS3()", hgl::Bind<&CharManage::EraseOne<3>>},
    {u"void CHR_ERS4()", hgl::Bind<&CharManage::EraseOne<4>>},
    {u"void CHR_ERS5()", hgl::Bind<&CharManage::EraseOne<5>>},
    {u"void CHR_ERSW01()", hgl::Bind<&CharManage::EraseTwo<0, 1>>},
    {u"void CHR_ERSW02()", hgl::Bind<&CharManage::EraseTwo<0, 2>>},
    {u"void CHR_ERSW12()", hgl::Bind<&CharManage::EraseTwo<1, 2>>},
    {u"void CHR_ERSA()", hgl::Bind<&CharManage::EraseAll>},
    {u"void MOV_CHR(string,int,int)", hgl::Bind<&CharManage::MoveChar>},
    {u"void INTCHR0(string,string,string,int)", hgl::Bind<&CharManage::SlideIn<0>>},
    {u"void INTCHR1(string,string,string,int)", hgl::Bind<&CharManage::SlideIn<1>>},
    {u"void INTCHR2(string,string,string,int)", hgl::Bind<&CharManage::SlideIn<2>>},
    {u"void INTCHR3(string,string,string,int)", hgl::Bind<&CharManage::SlideIn<3>>},
    {u"void INTCHR4(string,string,string,int)", hgl::Bind<&CharManage::SlideIn<4>>},
    {u"void INTCHR5(string,string,string,int)", hgl::Bind<&CharManage::SlideIn<5>>},
    {u"void CHR0_Y(float)", hgl::Bind<&CharManage::OffsetY<0>>},
    {u"void CHR1_Y(float)", hgl::Bind<&CharManage::OffsetY<1>>},
    {u"void CHR2_Y(float)", hgl::Bind<&CharManage::OffsetY<2>>},
    {u"void CHR3_Y(float)", hgl::Bind<&CharManage::OffsetY<3>>},
    {u"void CHR4_Y(float)", hgl::Bind<&CharManage::OffsetY<4>>},
    {u"void CHR5_Y(float)", hgl::Bind<&CharManage::OffsetY<5>>},
    {u"void CHR0_X(float)", hgl::Bind<&CharManage::OffsetX<0>>},
    {u"void CHR1_X(float)", hgl::Bind<&CharManage::OffsetX<1>>},
    {u"void CHR2_X(float)", hgl::Bind<&CharManage::OffsetX<2>>},
    {u"void CHR3_X(float)", hgl::Bind<&CharManage::OffsetX<3>>},
    {u"void CHR4_X(float)", hgl::Bind<&CharManage::OffsetX<4>>},
    {u"void CHR5_X(float)", hgl::Bind<&CharManage::OffsetX<5>>},
    {u"void FANZHUAN0()", hgl::Bind<&CharManage::Facing<0>>},
    {u"void FANZHUAN1()", hgl::Bind<&CharManage::Facing<1>>},
    {u"void FANZHUAN2()", hgl::Bind<&CharManage::Facing<2>>},
    {u"void FANZHUAN3()", hgl::Bind<&CharManage::Facing<3>>},
    {u"void FANZHUAN4()", hgl::Bind<&CharManage::Facing<4>>},
    {u"void FANZHUAN5()", hgl::Bind<&CharManage::Facing<5>>},
    {u"void BUTTOMUP0()", hgl::Bind<&CharManage::UpsideDown<0>>},
    {u"void BUTTOMUP1()", hgl::Bind<&CharManage::UpsideDown<1>>},
    {u"void BUTTOMUP2()", hgl::Bind<&CharManage::UpsideDown<2>>},
    {u"void BUTTOMUP3()", hgl::Bind<&CharManage::UpsideDown<3>>},
    {u"void BUTTOMUP4()", hgl::Bind<&CharManage::UpsideDown<4>>},
    {u"void BUTTOMUP5()", hgl::Bind<&CharManage::UpsideDown<5>>},
};

void CharManage::RegisterFunctions(hgl::DevilEngine *engine)
{
    if (engine) hgl::MapFunctions(*engine, this, CharFunctionTable::rows);
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
