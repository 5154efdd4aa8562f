// Resource ids of the HTML viewer.
#pragma once

#define IDD_HTML_CANVAS 225  // the canvas the page is painted on: a dialog without controls
