// The current renderer and the scanline renderer's settings as plug-ins
// reach them, the advanced-lighting core interface, and the ambient light.
#include <gtest/gtest.h>

#include "host/advanced_lighting.h"
#include "host/core_interface.h"
#include "host/renderers.h"
#include "scene/render_objects.h"

namespace {

TEST(Rendering, TheDefaultRendererIsTheScanlineOneAndAnyOtherCanBeAssigned) {
  Interface* ip = GetCOREInterface();
  Renderer* first = ip->GetCurrentRenderer();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->SuperClassID(), RENDERER_CLASS_ID);
  EXPECT_EQ(first->ClassID(), Class_ID(SREND_CLASS_ID, 0));
  EXPECT_EQ(ip->GetCurrentRenderer(), first);
  auto* vue = static_cast<Renderer*>(new VueFileRenderer);
  ip->AssignCurRenderer(vue);  // the scene keeps it
  EXPECT_EQ(ip->GetCurrentRenderer(), vue);
  EXPECT_EQ(vue->ClassID(), Class_ID(VUE_REND_CLASS_ID, 0));
  // With none assigned, asking may make a new scanline renderer, or not.
  ip->AssignCurRenderer(nullptr);
  EXPECT_EQ(ip->GetCurrentRenderer(false), nullptr);
  Renderer* made = ip->GetCurrentRenderer();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->ClassID(), Class_ID(SREND_CLASS_ID, 0));
  ip->AssignCurRenderer(first);
}

TEST(Rendering, TheScanlineSettingsKeepWhatWasSetThroughTheInterface) {
  ScanlineRenderer renderer;
  IScanRenderer* settings = &renderer;
  EXPECT_TRUE(settings->GetAntialias());
  EXPECT_TRUE(settings->GetShadows());
  EXPECT_FALSE(settings->GetForceWire());
  settings->SetAntialias(FALSE);
  settings->SetFilter(FALSE);
  settings->SetShadows(FALSE);
  settings->SetMapping(FALSE);
  settings->SetForceWire(TRUE);
  settings->SetAutoReflect(FALSE);
  settings->SetObjMotBlur(FALSE);
  settings->SetVelMotBlur(FALSE);
  EXPECT_FALSE(settings->GetAntialias());
  EXPECT_FALSE(settings->GetFilter());
  EXPECT_FALSE(settings->GetShadows());
  EXPECT_FALSE(settings->GetMapping());
  EXPECT_TRUE(settings->GetForceWire());
  EXPECT_FALSE(settings->GetAutoReflect());
  EXPECT_FALSE(settings->GetObjMotBlur());
  EXPECT_FALSE(settings->GetVelMotBlur());
  // Each write-only number lands in its own setting.
  settings->SetPixelSize(1.5f);
  settings->SetAutoReflLevels(3);
  settings->SetWireThickness(2.0f);
  settings->SetObjBlurDuration(0.25f);
  settings->SetVelBlurDuration(0.75f);
  settings->SetNBlurFrames(7);
  settings->SetNBlurSamples(9);
  const ScanlineRenderer::Settings& s = renderer.settings();
  EXPECT_FLOAT_EQ(s.pixel_size, 1.5f);
  EXPECT_EQ(s.auto_refl_levels, 3);
  EXPECT_FLOAT_EQ(s.wire_thickness, 2.0f);
  EXPECT_FLOAT_EQ(s.obj_blur_duration, 0.25f);
  EXPECT_FLOAT_EQ(s.vel_blur_duration, 0.75f);
  EXPECT_EQ(s.n_blur_frames, 7);
  EXPECT_EQ(s.n_blur_samples, 9);
}

TEST(Rendering, TheAdvancedLightingSlotHoldsOnePlugInOrNone) {
  EXPECT_EQ(GetCOREInterface(Interface_ID(0x06711E7A, 0x5B504BAA)),
            GetCOREInterface(SCENERADIOSITY_INTERFACE));
  EXPECT_EQ(GetCOREInterface(Interface_ID(1, 2)), nullptr);
  auto* slot = static_cast<SceneRadiosity*>(GetCOREInterface(SCENERADIOSITY_INTERFACE));
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->GetID(), SCENERADIOSITY_INTERFACE);
  EXPECT_EQ(slot->getRadiosity(), nullptr);
  auto* tracer = new LightTracer;  // the scene keeps it
  slot->setRadiosity(tracer);
  ASSERT_EQ(slot->getRadiosity(), tracer);
  EXPECT_EQ(tracer->ClassID(), LIGHT_TRACER_CLASS_ID);
  EXPECT_TRUE(slot->getRadiosity()->IsActive(0));
  slot->getRadiosity()->SetActive(false, 0);
  EXPECT_FALSE(tracer->IsActive(0));
  slot->setRadiosity(nullptr);
  EXPECT_EQ(slot->getRadiosity(), nullptr);
}

TEST(Rendering, TheAmbientLightReadsBackAsSet) {
  Interface* ip = GetCOREInterface();
  Point3 before = ip->GetAmbient(0);
  ip->SetAmbient(0, Point3(0.1f, 0.2f, 0.3f));
  EXPECT_FLOAT_EQ(ip->GetAmbient(0).y, 0.2f);
  ip->SetAmbient(0, before);
}

}  // namespace
