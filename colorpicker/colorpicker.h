// The colour-scheme picker as one include: KRColorPicker, KRColorScheme,
// UIColor(YUVSpace), the counting pass's tables and shaders, and the CPU pass.
//
//   registerColorPicker();   // once the platform is booted
#pragma once

#include "colorpicker/DominantPass.h"
#include "colorpicker/DominantShaders.h"
#include "colorpicker/KRColorPicker.h"
#include "colorpicker/KRColorScheme.h"
#include "colorpicker/YUVSpace.h"

// Registers KRColorScheme, KRColorPicker and the UIColor(YUVSpace) category.
// The first call in a process registers; later calls do nothing.
void registerColorPicker();
