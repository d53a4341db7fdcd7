// Cooling water flow from 0 to 5000 l/h: the axis shows thousands, and says so with the
// multiplier E+3 at the end of the label band.
// Picture: docs/images/flow-rate.png.
// size: 300x60
axisShowLabels = true

clearRules()
addRule(0, "{90,0,0}")
addRule(1500, "{255,200,0}")
addRule(3000, "{0,200,80}")
addRule(5000, "{0,120,255}")

convert(2000)   // between yellow and green
