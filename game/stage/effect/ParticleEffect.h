#pragma once
// The common shape of the stage's particle effects: a fixed set of particles moved
// once a frame and drawn as one vertex array of textured quads. The particle work
// never allocates: the records are sized at construction and a removed particle is
// replaced by the last live one.
#include "core/Color.h"
#include "core/Point.h"
#include "core/Types.h"
#include "framework/VisualObject.h"

#include <memory>
#include <vector>

namespace hgl
{
class DrawArray;
class Texture2D;

struct Particle
{
    int frame = 0; // 0..31, one step per drawn frame
    float x = 0, y = 0, vx = 0, vy = 0;
    float tx = 0, ty = 0; // the butterfly trail's target
    int phase = 0;        // the sun's glint phase
    Point2f quad[4];      // corners relative to (x, y)
};

struct EffectArea
{
    float left = 0, top = 0, width = 0, height = 0;
    float Right() const { return left + width; }
    float Bottom() const { return top + height; }
};

class ParticleEffect : public VisualObject
{
  public:
    static constexpr float kDrawAlpha = 0.85f;
    static constexpr int kFrameWrap = 32;

    ParticleEffect(Texture2D *texture, int count, float speed_x, float speed_y);
    ~ParticleEffect() override;

    void SetArea(float left, float top, float width, float height);
    const EffectArea &GetArea() const { return area; }
    int GetLive() const { return live; }
    int GetCount() const { return count; }
    const Particle &GetParticle(int i) const { return particles[i]; }

    // One frame: move, draw (when there is a canvas), spawn.
    void Draw() override;
    // The particle work of one frame without drawing.
    void Step();

  protected:
    Texture2D *texture; // not owned
    std::unique_ptr<DrawArray> array;
    std::vector<Particle> particles;
    bool first_fill = true;
    bool spawning = true;
    int live = 0;
    int count;
    EffectArea area;
    float speed_x, speed_y;

    virtual void Move() = 0;
    virtual void Spawn(Particle &p) = 0;
    // Spawns the missing particles, all at once by default.
    virtual void SpawnMissing();
    virtual void Render();
    void AdvanceFrames();

    // rand mod n.
    static float Rand(unsigned n);
    // An integer between a and b, both cut to integers.
    static float Between(float a, float b);
    // The quad (0, 0)-(w, h) turned by a random angle about its centre.
    static void TurnedQuad(Particle &p, float w, float h);
    static void JitterMove(Particle &p);
    bool OutOfArea(const Particle &p) const;
    // The last live particle takes the place of particle i.
    void RemoveAt(int i);
    // Fills the array with every live quad and draws it with the texture; row_height
    // below 1 picks the row frame / 4 of a texture of stacked frames.
    void RenderQuads(float row_height, const Color4f &colour, int blend);
    // The array, made at the first draw (a canvas is there then).
    DrawArray *GetArray(unsigned int primitive, int vertices, unsigned int format);
};
} // namespace hgl
