// The background's script functions, registered in this order; many are aliases
// kept for scripts written in different styles.
#include "game/stage/back/BackManage.h"

#include "script/ScriptFunctionTable.h"

void BackManage::RegisterScript()
{
    static constexpr hgl::ScriptFunction<BackManage> kFunctions[] = {
        {u"void BG_COLOR(int,int,int)", hgl::Bind<&BackManage::BG_COLOR>},
        {u"void BG_BLACK()", hgl::Bind<&BackManage::SetFillBlack>},
        {u"void BG_WHITE()", hgl::Bind<&BackManage::SetFillWhite>},
        {u"void BG_SET(string)", hgl::Bind<&BackManage::BG_SET>},
        {u"void BG_FLG(int,int,string)", hgl::Bind<&BackManage::BG_FLG>},

        {u"void BG_SET_DEF0(string)", hgl::Bind<&BackManage::ShowLayerK<0>>},
        {u"void BG_SET_DEF1(string)", hgl::Bind<&BackManage::ShowLayerK<1>>},
        {u"void BG_SET_DEF2(string)", hgl::Bind<&BackManage::ShowLayerK<2>>},
        {u"void BG_SET_DEF3(string)", hgl::Bind<&BackManage::ShowLayerK<3>>},
        {u"void BG_DSP_DEF0(string)", hgl::Bind<&BackManage::ShowLayerK<0>>},
        {u"void BG_DSP_DEF1(string)", hgl::Bind<&BackManage::ShowLayerK<1>>},
        {u"void BG_DSP_DEF2(string)", hgl::Bind<&BackManage::ShowLayerK<2>>},
        {u"void BG_DSP_DEF3(string)", hgl::Bind<&BackManage::ShowLayerK<3>>},
        {u"void BG_DSP0(string)", hgl::Bind<&BackManage::ShowLayerK<0>>},
        {u"void BG_DSP1(string)", hgl::Bind<&BackManage::ShowLayerK<1>>},
        {u"void BG_DSP2(string)", hgl::Bind<&BackManage::ShowLayerK<2>>},
        {u"void BG_DSP3(string)", hgl::Bind<&BackManage::ShowLayerK<3>>},
        {u"void BG_DSPX0(string)", hgl::Bind<&BackManage::ShowLayerK<0>>},
        {u"void BG_DSPX1(string)", hgl::Bind<&BackManage::ShowLayerK<1>>},
        {u"void BG_DSPX2(string)", hgl::Bind<&BackManage::ShowLayerK<2>>},
        {u"void BG_DSPX3(string)", hgl::Bind<&BackManage::ShowLayerK<3>>},
        {u"void BG_SET0(string)", hgl::Bind<&BackManage::ShowLayerK<0>>},
        {u"void BG_SET1(string)", hgl::Bind<&BackManage::ShowLayerK<1>>},
        {u"void BG_SET2(string)", hgl::Bind<&BackManage::ShowLayerK<2>>},
        {u"void BG_SET3(string)", hgl::Bind<&BackManage::ShowLayerK<3>>},

        {u"void BG_SETW01(string,float,float,string,float,float)", hgl::Bind<&BackManage::BG_SETW01>},
        {u"void BG_SETW02(string,string)", hgl::Bind<&BackManage::BG_SETW02>},
        {u"void BG_SETW13(string,string)", hgl::Bind<&BackManage::BG_SETW13>},
        {u"void BG_SETW23(string,string)", hgl::Bind<&BackManage::BG_SETW23>},
        {u"void BG_SETX0(string)", hgl::Bind<&BackManage::ShowLayerK<0>>},
        {u"void BG_SETX1(string)", hgl::Bind<&BackManage::ShowLayerK<1>>},
        {u"void BG_SETX2(string)", hgl::Bind<&BackManage::ShowLayerK<2>>},
        {u"void BG_SETX3(string)", hgl::Bind<&BackManage::ShowLayerK<3>>},

        {u"void BG_ERS0()", hgl::Bind<&BackManage::EraseLayerK<0>>},
        {u"void BG_ERS1()", hgl::Bind<&BackManage::EraseLayerK<1>>},
        {u"void BG_ERS2()", hgl::Bind<&BackManage::EraseLayerK<2>>},
        {u"void BG_ERS3()", hgl::Bind<&BackManage::EraseLayerK<3>>},
        {u"void BG_ERSW13()", hgl::Bind<&BackManage::BG_ERSW13>},
        {u"void BG_ERSA()", hgl::Bind<&BackManage::EraseAll>},
        {u"void BG_INVISIBLE0(string)", hgl::Bind<&BackManage::ShowLayerK<0>>},
        {u"void BG_INVISIBLE1(string)", hgl::Bind<&BackManage::ShowLayerK<1>>},
        {u"void BG_INVISIBLE2(string)", hgl::Bind<&BackManage::ShowLayerK<2>>},
        {u"void BG_INVISIBLE3(string)", hgl::Bind<&BackManage::ShowLayerK<3>>},
        {u"void BG_INVISIBLEW13(string,string)", hgl::Bind<&BackManage::BG_SETW13>},

        {u"void BG_SWP(int,int)", hgl::Bind<&BackManage::SwapLayers>},
        {u"void BG_Part(string,float,float,float,float,int,int)", hgl::Bind<&BackManage::BG_Part>},
        {u"void BG_ToFull(int)", hgl::Bind<&BackManage::ToFull>},
        {u"void BG_ToPart(int,float,float,float,float)", hgl::Bind<&BackManage::ToPart>},
        {u"void BG_FadeToPart(int,float,float,float,float)", hgl::Bind<&BackManage::FadeToPart>},
        {u"void FADE_IN()", hgl::Bind<&BackManage::FADE>},
        {u"void FADE_OUT()", hgl::Bind<&BackManage::FADE>},
        {u"void ZOOMBG(float,float,float,float)", hgl::Bind<&BackManage::ZoomBackground>},
        {u"void MOVEBG(float,float,float,float)", hgl::Bind<&BackManage::MoveBackground>},
    };
    hgl::MapFunctions(*engine, this, kFunctions);
}
