// The root object classes: defaults, the one-time Destroy request, and owning
// lists of them deleting through the virtual destructor.
#include <gtest/gtest.h>

#include <vector>

#include "core/ObjectList.h"
#include "core/Object.h"

namespace
{
std::vector<std::pair<hgl::ObjectControl *, hgl::Object *>> requests;
void RecordRequest(hgl::ObjectControl *owner, hgl::Object *obj) { requests.emplace_back(owner, obj); }

int destroyed = 0;
struct Widget : hgl::Object
{
    ~Widget() override { destroyed++; }
};
} // namespace

TEST(Object, DefaultsAndDestroyRequest)
{
    hgl::Object o;
    EXPECT_EQ(o.GetOwner(), nullptr);
    EXPECT_TRUE(o.IsEnabled());
    EXPECT_FALSE(o.IsDestroyed());

    // No owner layer installed: only the mark.
    requests.clear();
    auto *owner = reinterpret_cast<hgl::ObjectControl *>(&o);  // never dereferenced here
    hgl::Object a;
    a.SetOwner(owner);
    a.Destroy();
    EXPECT_TRUE(a.IsDestroyed());
    EXPECT_TRUE(requests.empty());

    // With one: the owner is asked once, however often Destroy runs.
    hgl::Object::SetDestroyRequest(&RecordRequest);
    hgl::Object b;
    b.SetOwner(owner);
    b.Destroy();
    b.Destroy();
    hgl::Object loose;  // no owner: nothing to ask
    loose.Destroy();
    hgl::Object::SetDestroyRequest(nullptr);
    EXPECT_EQ(requests, (std::vector<std::pair<hgl::ObjectControl *, hgl::Object *>>{{owner, &b}}));
}
