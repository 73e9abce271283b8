#pragma once
// Whether the current context draws on the processor, for the few choices
// that only pay on such a renderer.

/// True when renderer, a GL_RENDERER string, names one of Mesa's renderers
/// that run on the processor (llvmpipe, softpipe, the classic software
/// rasteriser). False for null and for every other renderer.
bool IsSoftwareRenderer(const char* renderer);

/// IsSoftwareRenderer of the current context's GL_RENDERER. Needs a current
/// context.
bool CurrentRendererIsSoftware();
