// The background's script functions, registered in this order; many are aliases
// kept for scripts written in different styles.
#include "game/stage/back/BackManage.h"

#include "script/DevilEngine.h"

void BackManage::RegisterScript()
{
    hgl::DevilEngine *e = engine;
    e->MapMemberFunc(u"void BG_COLOR(int,int,int)", this, &BackManage::BG_COLOR);
    e->MapMemberFunc(u"void BG_BLACK()", this, &BackManage::SetFillBlack);
    e->MapMemberFunc(u"void BG_WHITE()", this, &BackManage::SetFillWhite);
    e->MapMemberFunc(u"void BG_SET(string)", this, &BackManage::BG_SET);
    e->MapMemberFunc(u"void BG_FLG(int,int,string)", this, &BackManage::BG_FLG);

    using Handler = void (BackManage::*)(const hgl::u16char *);
    const Handler show[kLayers] = {&BackManage::ShowLayerK<0>, &BackManage::ShowLayerK<1>,
                                   &BackManage::ShowLayerK<2>, &BackManage::ShowLayerK<3>};
    auto family = [&](const char16_t *prefix)
    {
        for (int k = 0; k < kLayers; ++k)
        {
            const hgl::u16char digit[2] = {hgl::u16char(u'0' + k), 0};
            e->MapMemberFunc(hgl::String(u"void ") + prefix + digit + u"(string)", this, show[k]);
        }
    };
    family(u"BG_SET_DEF");
    family(u"BG_DSP_DEF");
    family(u"BG_DSP");
    family(u"BG_DSPX");
    family(u"BG_SET");

    e->MapMemberFunc(u"void BG_SETW01(string,float,float,string,float,float)", this, &BackManage::BG_SETW01);
    e->MapMemberFunc(u"void BG_SETW02(string,string)", this, &BackManage::BG_SETW02);
    e->MapMemberFunc(u"void BG_SETW13(string,string)", this, &BackManage::BG_SETW13);
    e->MapMemberFunc(u"void BG_SETW23(string,string)", this, &BackManage::BG_SETW23);
    family(u"BG_SETX");

    e->MapMemberFunc(u"void BG_ERS0()", this, &BackManage::EraseLayerK<0>);
    e->MapMemberFunc(u"void BG_ERS1()", this, &BackManage::EraseLayerK<1>);
    e->MapMemberFunc(u"void BG_ERS2()", this, &BackManage::EraseLayerK<2>);
    e->MapMemberFunc(u"void BG_ERS3()", this, &BackManage::EraseLayerK<3>);
    e->MapMemberFunc(u"void BG_ERSW13()", this, &BackManage::BG_ERSW13);
    e->MapMemberFunc(u"void BG_ERSA()", this, &BackManage::EraseAll);
    family(u"BG_INVISIBLE");
    e->MapMemberFunc(u"void BG_INVISIBLEW13(string,string)", this, &BackManage::BG_SETW13);

    e->MapMemberFunc(u"void BG_SWP(int,int)", this, &BackManage::SwapLayers);
    e->MapMemberFunc(u"void BG_Part(string,float,float,float,float,int,int)", this, &BackManage::BG_Part);
    e->MapMemberFunc(u"void BG_ToFull(int)", this, &BackManage::ToFull);
    e->MapMemberFunc(u"void BG_ToPart(int,float,float,float,float)", this, &BackManage::ToPart);
    e->MapMemberFunc(u"void BG_FadeToPart(int,float,float,float,float)", this, &BackManage::FadeToPart);
    e->MapMemberFunc(u"void FADE_IN()", this, &BackManage::FADE);
    e->MapMemberFunc(u"void FADE_OUT()", this, &BackManage::FADE);
    e->MapMemberFunc(u"void ZOOMBG(float,float,float,float)", this, &BackManage::ZoomBackground);
    e->MapMemberFunc(u"void MOVEBG(float,float,float,float)", this, &BackManage::MoveBackground);
}
