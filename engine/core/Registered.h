// Registered<T>: the one object of an interface that a room above the engine hands over at
// start-up (the game's hooks, the editor's hooks, the panel drawer). Until then, or after
// Set(nullptr), it is a default T, which answers as if nothing were there.
#pragma once

template <typename T> class Registered
{
  public:
    static T& Get() { return *Slot(); }
    // Takes effect for the rest of the run; the object must outlive it.
    static void Set(T* object) { Slot() = object ? object : &Default(); }

  private:
    static T& Default()
    {
        static T none;
        return none;
    }
    static T*& Slot()
    {
        static T* current = &Default();
        return current;
    }
};
