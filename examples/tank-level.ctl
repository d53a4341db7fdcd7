// Filling level of a tank in percent, on a vertical bar: red when nearly empty, orange when
// low, green in the working range, blue when nearly full.
// Picture: docs/images/tank-level.png.
// size: 90x240
orientation = Vertical
axisShowLabels = TRUE
imageBorderColor = #202020

clearRules()
addRule(0, "{200,0,0}")
addRule(15, "{255,165,0}")
addRule(30, "{0,170,0}")
addRule(85, "{0,170,0}")
addRule(100, "{0,90,255}")

getRules(levels, colors)
convert(50)    // inside the working range
