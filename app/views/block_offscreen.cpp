#include "block_offscreen.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>

#include <memory>

#include "gl_calls.h"
#include "gl_window.h"

#if defined(TOLVANE_HAVE_EGL)
#include <EGL/egl.h>
#include <EGL/eglext.h>
#endif

namespace tolvane::app {

namespace {

std::string rendererName() {
  const GLubyte* name = glGetString(GL_RENDERER);
  return name != nullptr ? std::string(reinterpret_cast<const char*>(name)) : std::string();
}

// Draws the scene into the bound framebuffer of the given size.
void drawScene(const BlockSceneInput& input, QSize size, BlockCamera& camera,
               BlockRenderer& renderer) {
  glViewport(0, 0, size.width(), size.height());
  renderer.setupRc(input, size.width(), size.height(), size.width(), size.height(), camera);
  renderer.DrawFigure(input, size.width(), size.height(), camera);
  glFinish();
}

void drawLabels(QImage& image, const BlockRenderer& renderer, const BlockCamera& camera) {
  QPainter painter(&image);
  paintSceneLabels(painter, renderer.labels(), camera.lastModelView, image.width(), image.height());
}

bool renderWithQt(const BlockSceneInput& input, QSize size, BlockCamera& camera,
                  OffscreenResult& result) {
  QOpenGLContext context;
  context.setFormat(blockSurfaceFormat());
  if (!context.create()) return false;
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
  {
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    QOpenGLFramebufferObject fbo(size, format);
    if (!fbo.isValid() || !fbo.bind()) {
      context.doneCurrent();
      return false;
    }
    BlockRenderer renderer;
    drawScene(input, size, camera, renderer);
    result.renderer = rendererName();
    result.image = fbo.toImage().convertToFormat(QImage::Format_RGB32);
    renderer.freeLists();
    fbo.release();
    drawLabels(result.image, renderer, camera);
  }
  context.doneCurrent();
  return true;
}

#if defined(TOLVANE_HAVE_EGL)

// A framebuffer of colour and depth render buffers through the entry points of OpenGL 3.0.
class EglFramebuffer {
 public:
  bool Create(QSize size) {
    gen_ = load<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers");
    bind_ = load<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer");
    delete_ = load<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers");
    genRb_ = load<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers");
    bindRb_ = load<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer");
    storageRb_ = load<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage");
    deleteRb_ = load<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers");
    attach_ = load<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer");
    status_ = load<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
    if (!gen_ || !bind_ || !delete_ || !genRb_ || !bindRb_ || !storageRb_ || !deleteRb_ ||
        !attach_ || !status_) {
      return false;
    }
    gen_(1, &framebuffer_);
    bind_(GL_FRAMEBUFFER, framebuffer_);
    genRb_(2, buffers_);
    bindRb_(GL_RENDERBUFFER, buffers_[0]);
    storageRb_(GL_RENDERBUFFER, GL_RGBA8, size.width(), size.height());
    attach_(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers_[0]);
    bindRb_(GL_RENDERBUFFER, buffers_[1]);
    storageRb_(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size.width(), size.height());
    attach_(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers_[1]);
    return status_(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  ~EglFramebuffer() {
    if (framebuffer_ != 0) {
      bind_(GL_FRAMEBUFFER, 0);
      delete_(1, &framebuffer_);
      deleteRb_(2, buffers_);
    }
  }

 private:
  template <typename T>
  static T load(const char* name) {
    return reinterpret_cast<T>(eglGetProcAddress(name));
  }
  PFNGLGENFRAMEBUFFERSPROC gen_ = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bind_ = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC delete_ = nullptr;
  PFNGLGENRENDERBUFFERSPROC genRb_ = nullptr;
  PFNGLBINDRENDERBUFFERPROC bindRb_ = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC storageRb_ = nullptr;
  PFNGLDELETERENDERBUFFERSPROC deleteRb_ = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC attach_ = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC status_ = nullptr;
  GLuint framebuffer_ = 0;
  GLuint buffers_[2] = {0, 0};
};

// A compatibility context of Mesa without any window system.
class SurfacelessContext {
 public:
  bool Create(std::string& error) {
    const auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getDisplay == nullptr) {
      error = "EGL has no platform displays";
      return false;
    }
    display_ = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
      error = "EGL could not open Mesa's surfaceless display";
      display_ = EGL_NO_DISPLAY;
      return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
      error = "EGL offers no desktop OpenGL";
      return false;
    }
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    eglChooseConfig(display_, configAttributes, &config, 1, &count);
    const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1,
                                        EGL_NONE};
    context_ =
        eglCreateContext(display_, count > 0 ? config : nullptr, EGL_NO_CONTEXT, contextAttributes);
    if (context_ == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
      error = "EGL could not make an OpenGL 2.1 context current";
      return false;
    }
    return true;
  }
  ~SurfacelessContext() {
    if (display_ == EGL_NO_DISPLAY) return;
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
    eglTerminate(display_);
  }

 private:
  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLContext context_ = EGL_NO_CONTEXT;
};

bool renderWithEgl(const BlockSceneInput& input, QSize size, BlockCamera& camera,
                   OffscreenResult& result) {
  SurfacelessContext context;
  if (!context.Create(result.error)) return false;
  BlockRenderer renderer;
  {
    EglFramebuffer framebuffer;
    if (!framebuffer.Create(size)) {
      result.error = "no framebuffer object in the surfaceless OpenGL context";
      return false;
    }
    drawScene(input, size, camera, renderer);
    result.renderer = rendererName();
    QImage image(size, QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    renderer.freeLists();
    // OpenGL keeps rows bottom up.
    result.image = image.mirrored().convertToFormat(QImage::Format_RGB32);
  }
  drawLabels(result.image, renderer, camera);
  return true;
}

#endif

}  // namespace

OffscreenResult renderBlockOffscreen(const BlockSceneInput& input, QSize size,
                                     BlockCamera& camera) {
  OffscreenResult result;
  if (size.width() <= 0 || size.height() <= 0) {
    result.error = "the image has no size";
    return result;
  }
  if (renderWithQt(input, size, camera, result)) return result;
  result.error = "the platform gives no OpenGL 2.1 compatibility context";
#if defined(TOLVANE_HAVE_EGL)
  OffscreenResult egl;
  if (renderWithEgl(input, size, camera, egl)) return egl;
  result.error += "; " + egl.error;
#endif
  result.image = QImage();
  return result;
}

}  // namespace tolvane::app
