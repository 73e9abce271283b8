#include "render/SoftwareRenderer.h"

#include <gtest/gtest.h>

// Only renderers that draw on the processor are flushed as they are sent.
TEST(SoftwareRendererTest, OnlyMesasProcessorRenderersCount) {
    const struct {
        const char* renderer;
        bool software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Mesa X11 Software Rasterizer", true},
        {"NVIDIA GeForce RTX 3060/PCIe/SSE2", false},
        {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0)", false},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"", false},
        {nullptr, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSoftwareRenderer(c.renderer), c.software)
            << (c.renderer ? c.renderer : "(null)");
    }
}
