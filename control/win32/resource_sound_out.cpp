#include "resource_sound_out.h"

#include <windows.h>
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include "module.h"

void ResourceSoundOut::Play(int32_t resourceId, const uint8_t*, uint32_t) {
  // Results go unexamined: a tone that cannot be found or played is passed over.
  HRSRC found = FindResourceA(ModuleInstance(), MAKEINTRESOURCEA(resourceId), "WAVE");
  HGLOBAL loaded = LoadResource(ModuleInstance(), found);
  const void* image = LockResource(loaded);
  sndPlaySoundA(static_cast<LPCSTR>(image), SND_MEMORY | SND_NODEFAULT);
}
