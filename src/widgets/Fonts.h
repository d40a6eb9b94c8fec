#pragma once

// The window fonts are named as on the classroom computers ("ＭＳ ゴシック", "ＭＳ Ｐゴシック");
// here they are drawn with the IPA Gothic fonts, fixed and proportional.
void InstallFontSubstitutions();
