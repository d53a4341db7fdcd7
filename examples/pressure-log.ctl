// Vacuum pressure from 1e-3 to 1e3 mbar on a logarithmic scale with a label per decade.
// Switching to logarithmic mode drops the rules at 0 and below, so the scale is built after
// it from an empty rule set. Picture: docs/images/pressure-log.png.
// size: 400x60
logarithmic = true
axisShowLabels = true
axisColor = darkslategray
axisLabelColor = darkslategray

clearRules()
addRule(1e-3, "{0,0,160}")
addRule(1e-1, "{0,200,255}")
addRule(1e1, "{255,230,0}")
addRule(1e3, "{255,0,0}")

getRules(pressures, colors)
convert(1)       // one decade below the yellow rule
removeRule(0)    // no rule at 0: nothing removed
