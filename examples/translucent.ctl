// An orange that fades in from fully transparent to opaque along the bar, so that whatever
// lies behind the widget shows through at the low end.
// Picture: docs/images/translucent.png.
// size: 300x60
imageBorder = false
axisShowLabels = true

clearRules()
addRule(0, "{255,140,0,0}")
addRule(100, "{255,140,0}")

getRules(values, colors)
convert(50)    // half way: alpha about 128
