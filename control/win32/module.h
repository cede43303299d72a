// The library's instance, its string resources and its count of live objects and server locks.
#pragma once

#include <windows.h>

#include <string>

HINSTANCE ModuleInstance();
std::wstring ModulePath();
// A string resource of the library; empty when there is none.
std::wstring ResourceString(UINT id);
// The same in task memory, as COM callers free it; null when out of memory.
LPOLESTR CopyResourceString(UINT id);
void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);
bool ModuleInUse();
