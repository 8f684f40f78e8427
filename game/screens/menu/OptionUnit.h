#pragma once
// The options screen of a running game, opened over the in-game menu: it darkens
// what lies below, shows a panel with the seven setting items and beside each the
// choices of that setting with the current one in its selected look, and opens the
// item's option page over the row when the item is clicked. A marker stands beside
// the focused item. The settings are read every frame, so what a page changes
// shows at once; nothing is written to disk here.
#include "core/String.h"
#include "framework/FlowObject.h"
#include "game/screens/menu/OptionTable.h"

#include <memory>

namespace hgl
{
class EventObject;
class HGP;
class StringList;
class Texture2D;
namespace gui
{
class Button;
class HGPButton;
} // namespace gui
} // namespace hgl

namespace avg
{
class GameUnit;
class MessageStage;

class OptionUnit : public hgl::FlowObject
{
    GameUnit *game;        // not owned
    MessageStage *message; // not owned
    std::unique_ptr<hgl::StringList> keys;
    std::unique_ptr<hgl::Texture2D> panel;
    hgl::HGP *frame = nullptr; // pictures: children of the object control
    hgl::HGP *choice_pictures[kChoicePictureCount] = {};
    hgl::HGP *marker = nullptr;
    hgl::gui::HGPButton *items[kOptionRowCount] = {};
    float dim = 0;
    float marker_w = 0, marker_h = 0, marker_gap = 0, marker_x = 0, marker_y = 0; // canvas units

    void CreateItemButtons();
    void DrawPanel();
    void DrawRowFrames();
    void DrawCurrentValues();
    void DrawMarker();
    hgl::HGP *ChoicePicture(const hgl::u16char *name) const;

  public:
    static constexpr float kDimLimit = 0.7f, kDimStep = 0.025f;

    OptionUnit(GameUnit *game_unit, MessageStage *message_window);
    ~OptionUnit() override;

    void Draw() override;

    // An item's click: its option page over its row.
    void OpenItem(hgl::gui::Button *button);
    // An item's focus change: the marker moves beside the item that gained it.
    bool PlaceMarker(hgl::EventObject *object, bool focus);
    bool OnKeyDown(int key);
    bool OnMouseRightDown(int x, int y, int flags);

    float GetDim() const { return dim; }
    float GetMarkerX() const { return marker_x; }
    float GetMarkerY() const { return marker_y; }
    hgl::gui::HGPButton *GetItem(int row) const;
    const hgl::StringList &GetKeys() const { return *keys; }
    // The choice of the row drawn in its selected look, -1 for none.
    int GetShownChoice(int row) const;
};
} // namespace avg
