// IGraphicsHeadless: the windowless editor.
#include "gui/igraphics_headless.h"

bool IGraphicsHeadless::Tick() {
  IRectangle rect;
  if (!CollectDirtyRect(rect)) return false;
  Draw(rect);
  return true;
}

bool IGraphicsHeadless::PaintScreen(const IRectangle& rect) {
  painted.push_back(rect);
  return true;
}

IPopupMenu* IGraphicsHeadless::ShowPopupMenu(IPopupMenu* /*menu*/, const IRectangle& rect) {
  ReleaseMouseCapture();
  menusShown.push_back(rect);
  return menuAnswer;
}

void IGraphicsHeadless::ShowTextEntry(IControl* /*control*/, const ITextStyle& /*style*/, const IRectangle& rect,
                                      const char* /*text*/, IParameter* /*param*/) {
  textEntries.push_back(rect);
}

void IGraphicsHeadless::PromptForValue(IControl* control, IParameter* param, const IRectangle& rect) {
  if (!control || !param) return;
  prompts.push_back(Prompt{control, param, rect});
  if (onPrompt) onPrompt(prompts.back());
}

LICE_IBitmap* IGraphicsHeadless::LoadBitmapResource(int32_t resourceId, const char* fileName) {
  IImageLoader* loader = BitmapCache().GetLoader();
  if (!loader || !HasPngExtension(fileName)) return nullptr;
  return loader->Load(resourceId);
}

void* IGraphicsHeadless::OpenWindow(void* parentWindow) {
  (void)parentWindow;
  window_ = this;
  MarkAllControlsDirty();
  return window_;
}
