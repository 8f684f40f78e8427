#pragma once
// hgl::ClasList<T>: owned objects together with one index list per class of object,
// so that a container can walk the objects of one class without testing every object.
//
// In multi-class mode an object belongs to every class for which IsClass says so;
// otherwise to the one class GetClass names. A class number outside [0, class count)
// puts the object in no class list; the all-objects list still owns it.
#include "core/ObjectList.h"

namespace hgl
{
template <typename T> class ClasList
{
  protected:
    bool multiClass;
    int classCount;
    ObjectList<T> objectList; // every object held, in the order added; owns them
    List<T *> *classList;     // classCount lists; list i holds the objects of class i

    bool ValidClass(int index) const { return index >= 0 && index < classCount; }

    // Removes obj from the class lists it was put in (not asking IsClass again).
    void UnlinkFromClasses(T *obj)
    {
        if (multiClass)
        {
            for (int i = classCount - 1; i >= 0; i--)
                classList[i].DeleteByData(obj);
        }
        else
        {
            const int index = GetClass(obj);
            if (ValidClass(index)) classList[index].DeleteByData(obj);
        }
    }

  public:
    ClasList(int class_count, bool multi_class)
        : multiClass(multi_class), classCount(class_count > 0 ? class_count : 0),
          classList(new List<T *>[class_count > 0 ? class_count : 0])
    {
    }

    ClasList(const ClasList &) = delete;
    ClasList &operator=(const ClasList &) = delete;

    // The class lists go first; then the all-objects list deletes every object still held.
    virtual ~ClasList() { delete[] classList; }

    // The class of obj in single-class mode; this class knows none (-1).
    virtual int GetClass(T *) { return -1; }
    // Whether obj belongs to class index in multi-class mode; this class says no.
    virtual bool IsClass(T *, int) { return false; }

    // Hands obj over: the container owns it from now on.
    virtual void Add(T *obj)
    {
        if (multiClass)
        {
            for (int i = classCount - 1; i >= 0; i--)
                if (IsClass(obj, i)) classList[i].Add(obj);
        }
        else
        {
            const int index = GetClass(obj);
            if (ValidClass(index)) classList[index].Add(obj);
        }
        objectList += obj;
    }

    // Deletes every object (the last first) and empties every list.
    virtual void Clear()
    {
        for (int i = classCount - 1; i >= 0; i--)
            classList[i].Clear();
        objectList.DeleteAll();
    }

    // Takes obj out and gives it back to the caller.
    virtual void Unlink(T *obj)
    {
        UnlinkFromClasses(obj);
        objectList.UnlinkByData(obj);
    }

    // Takes obj out and deletes it (when it was held).
    virtual void Delete(T *obj)
    {
        UnlinkFromClasses(obj);
        objectList.DeleteByData(obj);
    }

    // Takes every object out without deleting any.
    virtual void UnlinkAll()
    {
        for (int i = classCount - 1; i >= 0; i--)
            classList[i].Clear();
        objectList.UnlinkAll();
    }

    bool IsMultiClass() const { return multiClass; }
    int GetClassCount() const { return classCount; }
    int GetCount() const { return objectList.GetCount(); }
    const ObjectList<T> &GetObjectList() const { return objectList; }
    // Class list index, or null outside [0, class count).
    const List<T *> *GetClassList(int index) const { return ValidClass(index) ? classList + index : nullptr; }
};
} // namespace hgl
