// The OpenGL 1.x declarations of the platform (display lists, immediate mode, fixed pipeline).
#pragma once

#include <qopengl.h>
