// The root object classes: defaults, the one-time Destroy request, and owning
// lists of them deleting through the virtual destructor.
#include <gtest/gtest.h>

#include <vector>

#include "core/ObjectList.h"
#include "core/Object.h"

namespace
{
int destroyed = 0;
struct Widget : hgl::Object
{
    ~Widget() override { destroyed++; }
};

// Records what its objects tell it; deletes nothing.
struct Recorder : hgl::ObjectOwner
{
    std::vector<hgl::Object *> destroy_requests, forgotten;
    void DestroyObject(hgl::Object *obj) override { destroy_requests.push_back(obj); }
    void ForgetObject(hgl::Object *obj) override { forgotten.push_back(obj); }
};
} // namespace

TEST(Object, DefaultsDestroyOnceAndForgetOnDelete)
{
    hgl::Object loose;
    EXPECT_EQ(loose.GetOwner(), nullptr);
    EXPECT_TRUE(loose.IsEnabled());
    EXPECT_FALSE(loose.IsDestroyed());
    loose.Destroy(); // no owner: only the mark
    EXPECT_TRUE(loose.IsDestroyed());

    Recorder owner;
    auto *held = new hgl::Object;
    held->SetOwner(&owner);
    held->Destroy();
    held->Destroy();
    EXPECT_EQ(owner.destroy_requests, std::vector<hgl::Object *>{held});
    delete held;
    EXPECT_EQ(owner.forgotten, std::vector<hgl::Object *>{held});
}

TEST(Object, OwningListsOfObjects)
{
    destroyed = 0;
    {
        hgl::ObjectList<hgl::Object> objs;
        objs.SetCount(2);
        objs.Add(new Widget);
        objs.Add(new Widget);
        hgl::ObjectList<hgl::_Object> roots;
        roots.Create();
        roots.Add(new Widget);
    }
    EXPECT_EQ(destroyed, 3);
}
