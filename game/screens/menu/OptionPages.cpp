#include "game/screens/menu/OptionPages.h"

#include "game/screens/menu/OptionTable.h"
#include "game/screens/widgets/EZButton.h"

namespace avg
{
namespace
{
// The choices' click closures, in the table's order.
template <auto... Handlers, typename Page> void BindChoices(Page *page, hgl::gui::EZButton *const *choices)
{
    int i = 0;
    ((choices[i++]->OnClick.template Bind<Handlers>(page)), ...);
}
} // namespace

#define AVG_PAGE_PARAMS                                                                                      \
    float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,                        \
        MessageStage *message_window
#define AVG_PAGE_BASE(row) OptionRowPage(row, l, t, w, h, name, game_unit, message_window)

HighSpeedMode::HighSpeedMode(AVG_PAGE_PARAMS) : AVG_PAGE_BASE(orQuickMode)
{
    BindChoices<&HighSpeedMode::ChooseAlready, &HighSpeedMode::ChooseAll>(this, choices);
}

AutoSave::AutoSave(AVG_PAGE_PARAMS) : AVG_PAGE_BASE(orAutoSave)
{
    BindChoices<&AutoSave::ChooseOpen, &AutoSave::ChooseClose>(this, choices);
}

SoundOpen::SoundOpen(AVG_PAGE_PARAMS) : AVG_PAGE_BASE(orSounds)
{
    BindChoices<&SoundOpen::ChooseNull, &SoundOpen::ChooseSmall, &SoundOpen::ChooseNormal,
                &SoundOpen::ChooseBig>(this, choices);
}

MusicRate::MusicRate(AVG_PAGE_PARAMS) : AVG_PAGE_BASE(orMusic)
{
    BindChoices<&MusicRate::ChooseNull, &MusicRate::ChooseSmall, &MusicRate::ChooseNormal,
                &MusicRate::ChooseBig>(this, choices);
}

VoiceRate::VoiceRate(AVG_PAGE_PARAMS) : AVG_PAGE_BASE(orVoice)
{
    BindChoices<&VoiceRate::ChooseNull, &VoiceRate::ChooseSmall, &VoiceRate::ChooseNormal,
                &VoiceRate::ChooseBig>(this, choices);
}

WordRate::WordRate(AVG_PAGE_PARAMS) : AVG_PAGE_BASE(orWordSpeed)
{
    BindChoices<&WordRate::ChooseSlow, &WordRate::ChooseNormal, &WordRate::ChooseFast,
                &WordRate::ChooseVeryFast>(this, choices);
}

AutoPlaySpeed::AutoPlaySpeed(AVG_PAGE_PARAMS) : AVG_PAGE_BASE(orAutoSpeed)
{
    BindChoices<&AutoPlaySpeed::ChooseSlow, &AutoPlaySpeed::ChooseNormal, &AutoPlaySpeed::ChooseFast,
                &AutoPlaySpeed::ChooseVeryFast>(this, choices);
}

OptionSub *NewOptionPage(int row, AVG_PAGE_PARAMS)
{
    switch (row)
    {
    case orQuickMode:
        return new HighSpeedMode(l, t, w, h, name, game_unit, message_window);
    case orAutoSave:
        return new AutoSave(l, t, w, h, name, game_unit, message_window);
    case orSounds:
        return new SoundOpen(l, t, w, h, name, game_unit, message_window);
    case orMusic:
        return new MusicRate(l, t, w, h, name, game_unit, message_window);
    case orVoice:
        return new VoiceRate(l, t, w, h, name, game_unit, message_window);
    case orWordSpeed:
        return new WordRate(l, t, w, h, name, game_unit, message_window);
    case orAutoSpeed:
        return new AutoPlaySpeed(l, t, w, h, name, game_unit, message_window);
    default:
        return nullptr;
    }
}

#undef AVG_PAGE_BASE
#undef AVG_PAGE_PARAMS
} // namespace avg
