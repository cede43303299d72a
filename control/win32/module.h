// The library's instance and its count of live objects and server locks.
#pragma once

#include <windows.h>

#include <string>

HINSTANCE ModuleInstance();
std::wstring ModulePath();
void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);
bool ModuleInUse();
