// Outdoor temperature from -20 to 120 degrees: blue, green, yellow, red along a horizontal
// bar with labelled ticks. Picture: docs/images/temperature.png.
// size: 300x60
orientation = Horizontal
axisShowLabels = true
axisTickSize = 6

// replace the default rules (0 green, 100 red) with the temperature scale
clearRules()
addRule(-20, "{0,0,255}")
addRule(20, "{0,255,0}")
addRule(70, "{255,255,0}")
addRule(120, "{255,0,0}")

getRules(values, colors)
convert(-20)   // the first rule's colour
convert(45)    // between green and yellow
convert(150)   // above the last rule: the last colour
