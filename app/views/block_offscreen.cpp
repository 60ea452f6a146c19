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

std::string RendererName() {
  const GLubyte* name = glGetString(GL_RENDERER);
  return name != nullptr ? std::string(reinterpret_cast<const char*>(name)) : std::string();
}

// Draws the scene into the bound framebuffer of the given size.
void DrawScene(const TBlockSceneInput& input, QSize size, TBlockCamera& camera,
               TBlockRenderer& renderer) {
  glViewport(0, 0, size.width(), size.height());
  renderer.SetupRC(input, size.width(), size.height(), size.width(), size.height(), camera);
  renderer.DrawFigure(input, size.width(), size.height(), camera);
  glFinish();
}

void DrawLabels(QImage& image, const TBlockRenderer& renderer, const TBlockCamera& camera) {
  QPainter painter(&image);
  PaintSceneLabels(painter, renderer.Labels(), camera.LastModelView, image.width(), image.height());
}

bool RenderWithQt(const TBlockSceneInput& input, QSize size, TBlockCamera& camera,
                  TOffscreenResult& result) {
  QOpenGLContext context;
  context.setFormat(BlockSurfaceFormat());
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
    TBlockRenderer renderer;
    DrawScene(input, size, camera, renderer);
    result.Renderer = RendererName();
    result.Image = fbo.toImage().convertToFormat(QImage::Format_RGB32);
    renderer.FreeLists();
    fbo.release();
    DrawLabels(result.Image, renderer, camera);
  }
  context.doneCurrent();
  return true;
}

#if defined(TOLVANE_HAVE_EGL)

// A framebuffer of colour and depth render buffers through the entry points of OpenGL 3.0.
class TEglFramebuffer {
 public:
  bool Create(QSize size) {
    Gen_ = Load<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers");
    Bind_ = Load<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer");
    Delete_ = Load<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers");
    GenRb_ = Load<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers");
    BindRb_ = Load<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer");
    StorageRb_ = Load<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage");
    DeleteRb_ = Load<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers");
    Attach_ = Load<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer");
    Status_ = Load<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
    if (!Gen_ || !Bind_ || !Delete_ || !GenRb_ || !BindRb_ || !StorageRb_ || !DeleteRb_ ||
        !Attach_ || !Status_) {
      return false;
    }
    Gen_(1, &Framebuffer_);
    Bind_(GL_FRAMEBUFFER, Framebuffer_);
    GenRb_(2, Buffers_);
    BindRb_(GL_RENDERBUFFER, Buffers_[0]);
    StorageRb_(GL_RENDERBUFFER, GL_RGBA8, size.width(), size.height());
    Attach_(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Buffers_[0]);
    BindRb_(GL_RENDERBUFFER, Buffers_[1]);
    StorageRb_(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size.width(), size.height());
    Attach_(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, Buffers_[1]);
    return Status_(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  ~TEglFramebuffer() {
    if (Framebuffer_ != 0) {
      Bind_(GL_FRAMEBUFFER, 0);
      Delete_(1, &Framebuffer_);
      DeleteRb_(2, Buffers_);
    }
  }

 private:
  template <typename T>
  static T Load(const char* name) {
    return reinterpret_cast<T>(eglGetProcAddress(name));
  }
  PFNGLGENFRAMEBUFFERSPROC Gen_ = nullptr;
  PFNGLBINDFRAMEBUFFERPROC Bind_ = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC Delete_ = nullptr;
  PFNGLGENRENDERBUFFERSPROC GenRb_ = nullptr;
  PFNGLBINDRENDERBUFFERPROC BindRb_ = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC StorageRb_ = nullptr;
  PFNGLDELETERENDERBUFFERSPROC DeleteRb_ = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC Attach_ = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC Status_ = nullptr;
  GLuint Framebuffer_ = 0;
  GLuint Buffers_[2] = {0, 0};
};

// A compatibility context of Mesa without any window system.
class TSurfacelessContext {
 public:
  bool Create(std::string& error) {
    const auto get_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (get_display == nullptr) {
      error = "EGL has no platform displays";
      return false;
    }
    Display_ = get_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (Display_ == EGL_NO_DISPLAY || !eglInitialize(Display_, nullptr, nullptr)) {
      error = "EGL could not open Mesa's surfaceless display";
      Display_ = EGL_NO_DISPLAY;
      return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
      error = "EGL offers no desktop OpenGL";
      return false;
    }
    const EGLint config_attributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    eglChooseConfig(Display_, config_attributes, &config, 1, &count);
    const EGLint context_attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1,
                                         EGL_NONE};
    Context_ = eglCreateContext(Display_, count > 0 ? config : nullptr, EGL_NO_CONTEXT,
                                context_attributes);
    if (Context_ == EGL_NO_CONTEXT ||
        !eglMakeCurrent(Display_, EGL_NO_SURFACE, EGL_NO_SURFACE, Context_)) {
      error = "EGL could not make an OpenGL 2.1 context current";
      return false;
    }
    return true;
  }
  ~TSurfacelessContext() {
    if (Display_ == EGL_NO_DISPLAY) return;
    eglMakeCurrent(Display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (Context_ != EGL_NO_CONTEXT) eglDestroyContext(Display_, Context_);
    eglTerminate(Display_);
  }

 private:
  EGLDisplay Display_ = EGL_NO_DISPLAY;
  EGLContext Context_ = EGL_NO_CONTEXT;
};

bool RenderWithEgl(const TBlockSceneInput& input, QSize size, TBlockCamera& camera,
                   TOffscreenResult& result) {
  TSurfacelessContext context;
  if (!context.Create(result.Error)) return false;
  TBlockRenderer renderer;
  {
    TEglFramebuffer framebuffer;
    if (!framebuffer.Create(size)) {
      result.Error = "no framebuffer object in the surfaceless OpenGL context";
      return false;
    }
    DrawScene(input, size, camera, renderer);
    result.Renderer = RendererName();
    QImage image(size, QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    renderer.FreeLists();
    // OpenGL keeps rows bottom up.
    result.Image = image.mirrored().convertToFormat(QImage::Format_RGB32);
  }
  DrawLabels(result.Image, renderer, camera);
  return true;
}

#endif

}  // namespace

TOffscreenResult RenderBlockOffscreen(const TBlockSceneInput& input, QSize size,
                                      TBlockCamera& camera) {
  TOffscreenResult result;
  if (size.width() <= 0 || size.height() <= 0) {
    result.Error = "the image has no size";
    return result;
  }
  if (RenderWithQt(input, size, camera, result)) return result;
  result.Error = "the platform gives no OpenGL 2.1 compatibility context";
#if defined(TOLVANE_HAVE_EGL)
  TOffscreenResult egl;
  if (RenderWithEgl(input, size, camera, egl)) return egl;
  result.Error += "; " + egl.Error;
#endif
  result.Image = QImage();
  return result;
}

}  // namespace tolvane::app
