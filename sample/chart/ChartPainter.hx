import ChartStyle.FontSpec;
import flash.display.Graphics;
import flash.display.Shape;
import flash.display.Sprite;
import flash.geom.Rectangle;

/**
	Draws the chart into a sprite: background, border, titles and legend
	once, then the series at any stage of their animation.
**/
class ChartPainter {
	static inline var MaxTicks = 100;

	var style:ChartStyle;
	var data:ChartData;
	var root:Sprite;
	var width:Float;
	var height:Float;

	var plot:Rectangle;
	var low:Float = 0;
	var high:Float = 1;
	var step:Float = 1;

	var seriesLayer:Sprite;
	var shadowShapes:Array<Shape> = [];
	var seriesSprites:Array<Sprite> = [];
	var labels:Sprite;

	public function new(root:Sprite, style:ChartStyle, data:ChartData, width:Float, height:Float) {
		this.root = root;
		this.style = style;
		this.data = data;
		this.width = width;
		this.height = height;
	}

	public function drawFrame() {
		var back = Picking.element(["bgColor", "borderColor", "borderWidth", "margin"]);
		root.addChild(back);
		var g = back.graphics;
		// Far beyond the stage, so the whole player area shows the background.
		g.beginFill(style.bgColor);
		g.drawRect(-2000, -2000, width + 4000, height + 4000);
		g.endFill();
		var bw = style.borderWidth;
		if (bw > 0) {
			g.lineStyle(bw, style.borderColor);
			g.drawRect(bw / 2, bw / 2, width - bw, height - bw);
			g.lineStyle();
		}
		var inset = style.margin + bw;
		var area = new Rectangle(inset, inset, width - 2 * inset, height - 2 * inset);
		drawTitles(area);
		if (data.isEmpty()) {
			var note = Texts.make("No data", style.axisFont);
			note.x = area.x + (area.width - note.width) / 2;
			note.y = area.y + (area.height - note.height) / 2;
			back.addChild(note);
			return;
		}
		if (style.legendShow)
			drawLegend(area);

		seriesLayer = Picking.element(["shadow", "animation", "chartType"]);
		for (offset in shadowOffsets()) {
			var shadow = new Shape();
			shadow.x = shadow.y = offset.d;
			shadow.alpha = offset.a;
			shadowShapes.push(shadow);
			seriesLayer.addChild(shadow);
		}
		for (s in 0...data.names.length)
			seriesSprites.push(cast seriesLayer.addChild(Picking.element(seriesKeys(s))));
		labels = Picking.element(["valueLabels", "labelFont", "labelStyle", "numberFormat"]);
		seriesLayer.addChild(labels);

		if (style.chartType == "pie") {
			plot = area;
		} else {
			computeRange();
			plot = axisArea(area);
			drawGrid();
			root.addChild(seriesLayer);
			drawAxes();
			return;
		}
		root.addChild(seriesLayer);
	}

	/** The series with the animation at progress p, 0 to 1. **/
	public function drawSeries(p:Float) {
		if (seriesLayer == null)
			return;
		var grow = style.animation == 1 ? p : 1.0;
		seriesLayer.alpha = style.animation == 2 ? p : 1.0;
		for (shadow in shadowShapes) {
			shadow.graphics.clear();
			for (s in 0...seriesSprites.length)
				paintSeries(shadow.graphics, s, 0x000000, grow, true);
		}
		for (s in 0...seriesSprites.length) {
			seriesSprites[s].graphics.clear();
			paintSeries(seriesSprites[s].graphics, s, style.seriesColor(s), grow, false);
		}
		while (labels.numChildren > 0)
			labels.removeChildAt(0);
		if (style.valueLabels != 0 && p >= 1)
			paintLabels();
	}

	/** The keys a series is drawn with; its colour first. **/
	function seriesKeys(s:Int):Array<String> {
		var keys = ["series" + (s % style.seriesColors.length + 1) + "Color", "palette"];
		keys = keys.concat(switch (style.chartType) {
			case "pie": [];
			case "line", "area": ["lineStyle", "marker"];
			default: ["barWidth"];
		});
		return keys.concat(["shadow", "chartType"]);
	}

	function shadowOffsets():Array<{d:Float, a:Float}> {
		return switch (style.shadow) {
			case 1: [{d: 4, a: 0.06}, {d: 3, a: 0.08}, {d: 2, a: 0.10}, {d: 1, a: 0.12}];
			case 2: [{d: 3, a: 0.45}];
			default: [];
		}
	}

	function drawTitles(area:Rectangle) {
		var top = area.y;
		if (StringTools.trim(style.titleText) != "") {
			top = placeTitle(Texts.make(style.titleText, style.titleFont), "titleText", area, top);
		}
		if (StringTools.trim(style.subtitleText) != "") {
			var f = style.titleFont;
			var sub:FontSpec = {name: f.name, size: Std.int(Math.max(6, Math.round(f.size * 0.65))), color: f.color, style: f.style & 2};
			top = placeTitle(Texts.make(style.subtitleText, sub), "subtitleText", area, top);
		}
		if (top > area.y) {
			top += 4;
			area.height -= top - area.y;
			area.y = top;
		}
	}

	function placeTitle(field:flash.text.TextField, textKey:String, area:Rectangle, top:Float):Float {
		field.y = top;
		field.x = switch (style.titleAlign) {
			case "left": area.x;
			case "right": area.right - field.width;
			default: area.x + (area.width - field.width) / 2;
		}
		var title = Picking.element([textKey, "titleFont", "titleSize", "titleColor", "titleStyle", "titleAlign"]);
		title.addChild(field);
		root.addChild(title);
		return top + field.height - 2;
	}

	function drawLegend(area:Rectangle) {
		var vertical = style.legendPos == "right" || style.legendPos == "left";
		var box = Picking.element(["legendPos", "legendFont", "legendSize", "legendColor", "legendBg", "legendShow"]);
		var swatches = new Shape();
		var pad = 6.0, gap = 12.0, swatch = 10.0;
		var x = pad, y = pad, boxW = 0.0, rowH = 0.0;
		for (i in 0...data.names.length) {
			var name = Texts.make(data.names[i], style.legendFont);
			var itemH = Math.max(name.height, swatch);
			swatches.graphics.beginFill(style.seriesColor(i));
			swatches.graphics.drawRect(x, y + (itemH - swatch) / 2, swatch, swatch);
			swatches.graphics.endFill();
			name.x = x + swatch + 4;
			name.y = y + (itemH - name.height) / 2;
			box.addChild(name);
			var itemW = swatch + 4 + name.width;
			if (vertical) {
				y += itemH + 2;
				boxW = Math.max(boxW, itemW);
			} else {
				x += itemW + gap;
				rowH = Math.max(rowH, itemH);
			}
		}
		var w = vertical ? boxW + 2 * pad : x - gap + pad;
		var h = vertical ? y - 2 + pad : rowH + 2 * pad;
		var back = new Shape();
		for (offset in shadowOffsets()) {
			back.graphics.beginFill(0x000000, offset.a);
			back.graphics.drawRect(offset.d, offset.d, w, h);
			back.graphics.endFill();
		}
		back.graphics.lineStyle(1, style.borderColor);
		back.graphics.beginFill(style.legendBg);
		back.graphics.drawRect(0, 0, w, h);
		back.graphics.endFill();
		box.addChildAt(back, 0);
		box.addChild(swatches);
		switch (style.legendPos) {
			case "left":
				box.x = area.x;
				box.y = area.y + (area.height - h) / 2;
				area.x += w + 8;
				area.width -= w + 8;
			case "top":
				box.x = area.x + (area.width - w) / 2;
				box.y = area.y;
				area.y += h + 6;
				area.height -= h + 6;
			case "bottom":
				box.x = area.x + (area.width - w) / 2;
				box.y = area.bottom - h;
				area.height -= h + 6;
			default:
				box.x = area.right - w;
				box.y = area.y + (area.height - h) / 2;
				area.width -= w + 8;
		}
		root.addChild(box);
	}

	function computeRange() {
		var autoLow = style.yMin == null, autoHigh = style.yMax == null;
		low = autoLow ? Math.min(0, data.minValue()) : style.yMin;
		high = autoHigh ? Math.max(0, data.maxValue()) : style.yMax;
		// Widened by a part of the value, not by 1: beside 1e17 adding 1 changes nothing.
		if (!(high > low))
			high = low + Math.max(1, Math.abs(low) * 1e-9);
		var raw = (high - low) / 5;
		var mag = Math.pow(10, Math.ffloor(Math.log(raw) / Math.log(10)));
		var n = raw / mag;
		step = (n < 1.5 ? 1 : n < 3 ? 2 : n < 7 ? 5 : 10) * mag;
		// Whole numbers of steps as floats: an Int holds no more than 2^31.
		if (autoLow)
			low = Math.ffloor(low / step) * step;
		if (autoHigh)
			high = Math.fceil(high / step) * step;
	}

	/**
		The values of the axis ticks, counted rather than stepped to: beside
		large values a step can be below their resolution, where adding it
		changes nothing. A range no sensible number of ticks fits has none.
	**/
	function ticks():Array<Float> {
		var first = Math.fceil(low / step - 1e-9);
		var count = Math.ffloor(high / step + 1e-9) - first + 1;
		if (!(count >= 1 && count <= MaxTicks))
			return [];
		return [for (i in 0...Std.int(count)) (first + i) * step];
	}

	function horizontal():Bool {
		return style.chartType == "hbar";
	}

	/** The plot rectangle inside the axis labels. **/
	function axisArea(area:Rectangle):Rectangle {
		var tickW = 0.0, tickH = 0.0;
		for (t in ticks()) {
			var f = Texts.make(Texts.number(t, style.numberFormat), style.axisFont);
			tickW = Math.max(tickW, f.width);
			tickH = Math.max(tickH, f.height);
		}
		var catW = 0.0;
		for (c in data.categories)
			catW = Math.max(catW, Texts.make(c, style.axisFont).width);
		if (horizontal())
			return new Rectangle(area.x + catW + 6, area.y + 2, area.width - catW - 6 - tickW / 2, area.height - tickH - 6);
		return new Rectangle(area.x + tickW + 6, area.y + tickH / 2, area.width - tickW - 8, area.height - tickH * 1.5 - 6);
	}

	/** Distance of a value from the plot's low edge, clipped to the plot. **/
	function valuePos(v:Float):Float {
		var len = horizontal() ? plot.width : plot.height;
		var t = (v - low) / (high - low);
		return len * Math.max(0, Math.min(1, t));
	}

	/** Point of category slot position s (0 to number of categories) and value v. **/
	function point(s:Float, v:Float):{x:Float, y:Float} {
		var n = data.categories.length;
		if (horizontal())
			return {x: plot.x + valuePos(v), y: plot.y + plot.height * s / n};
		return {x: plot.x + plot.width * s / n, y: plot.bottom - valuePos(v)};
	}

	function baseline():Float {
		return Math.max(low, Math.min(high, 0));
	}

	function drawGrid() {
		// The whole plot area takes clicks as the grid, where no series is drawn over it.
		var grid = Picking.element(["gridLines", "gridColor"]);
		var g = grid.graphics;
		g.beginFill(0, 0);
		g.drawRect(plot.x, plot.y, plot.width, plot.height);
		g.endFill();
		g.lineStyle(1, style.gridColor);
		var n = data.categories.length;
		var valueLines = [for (t in ticks()) point(0, t)];
		var slotLines = [for (i in 0...n + 1) point(i, low)];
		if (style.gridLines & 1 != 0) {
			for (p in (horizontal() ? slotLines : valueLines)) {
				g.moveTo(plot.x, p.y);
				g.lineTo(plot.right, p.y);
			}
		}
		if (style.gridLines & 2 != 0) {
			for (p in (horizontal() ? valueLines : slotLines)) {
				g.moveTo(p.x, plot.y);
				g.lineTo(p.x, plot.bottom);
			}
		}
		root.addChild(grid);
	}

	function drawAxes() {
		var axes = Picking.element(["axisColor", "axisWidth"]);
		var valueLabels = Picking.element(["axisFont", "axisFontSize", "axisFontStyle", "axisColor", "numberFormat", "yMin", "yMax"]);
		var categoryLabels = Picking.element(["axisFont", "axisFontSize", "axisFontStyle", "axisColor"]);
		var a = axes.graphics;
		var base = point(0, baseline());
		var lines = horizontal() ? [[plot.x, plot.bottom, plot.right, plot.bottom], [base.x, plot.y, base.x, plot.bottom]] : [
			[plot.x, plot.y, plot.x, plot.bottom],
			[plot.x, base.y, plot.right, base.y]
		];
		if (style.axisWidth > 0) {
			// An invisible wide stroke beneath takes the clicks beside a thin axis.
			for (stroke in [{width: 9, alpha: 0.0}, {width: style.axisWidth, alpha: 1.0}]) {
				a.lineStyle(stroke.width, style.axisColor, stroke.alpha);
				for (l in lines) {
					a.moveTo(l[0], l[1]);
					a.lineTo(l[2], l[3]);
				}
			}
		}
		for (t in ticks()) {
			var p = point(0, t);
			var label = Texts.make(Texts.number(t, style.numberFormat), style.axisFont);
			if (horizontal()) {
				if (style.axisWidth > 0) {
					a.moveTo(p.x, plot.bottom);
					a.lineTo(p.x, plot.bottom + 3);
				}
				label.x = p.x - label.width / 2;
				label.y = plot.bottom + 4;
			} else {
				if (style.axisWidth > 0) {
					a.moveTo(plot.x - 3, p.y);
					a.lineTo(plot.x, p.y);
				}
				label.x = plot.x - 4 - label.width;
				label.y = p.y - label.height / 2;
			}
			valueLabels.addChild(label);
		}
		for (i in 0...data.categories.length) {
			var label = Texts.make(data.categories[i], style.axisFont);
			var p = point(i + 0.5, low);
			if (horizontal()) {
				label.x = plot.x - 4 - label.width;
				label.y = p.y - label.height / 2;
			} else {
				label.x = p.x - label.width / 2;
				label.y = plot.bottom + 4;
			}
			categoryLabels.addChild(label);
		}
		root.addChild(valueLabels);
		root.addChild(categoryLabels);
		root.addChild(axes);
	}

	/** Series s in a colour, its own or that of a shadow. **/
	function paintSeries(g:Graphics, s:Int, color:Int, grow:Float, isShadow:Bool) {
		switch (style.chartType) {
			case "pie":
				paintSlice(g, s, color, grow);
			case "line", "area":
				paintLine(g, s, color, grow, isShadow);
			default:
				for (i in 0...data.categories.length) {
					var r = barRect(s, i, grow);
					g.beginFill(color);
					g.drawRect(r.x, r.y, r.width, r.height);
					g.endFill();
				}
		}
	}

	function barRect(s:Int, i:Int, grow:Float):Rectangle {
		var count = data.names.length;
		var group = style.barWidth / 100;
		var from = i + (1 - group) / 2 + group * s / count;
		var to = from + group / count;
		var v0 = baseline();
		var v1 = v0 + (data.values[s][i] - v0) * grow;
		var a = point(from, v0), b = point(to, v1);
		return new Rectangle(Math.min(a.x, b.x), Math.min(a.y, b.y), Math.abs(b.x - a.x), Math.abs(b.y - a.y));
	}

	function linePoints(s:Int, grow:Float):Array<{x:Float, y:Float}> {
		var v0 = baseline();
		return [for (i in 0...data.categories.length) point(i + 0.5, v0 + (data.values[s][i] - v0) * grow)];
	}

	function paintLine(g:Graphics, s:Int, color:Int, grow:Float, isShadow:Bool) {
		var pts = linePoints(s, grow);
		// An area's shadow falls from its line only; a shadowed fill would darken the plot.
		if (style.chartType == "area" && !isShadow) {
			var base = baseline();
			g.beginFill(color, 0.35);
			var start = point(0.5, base);
			g.moveTo(start.x, start.y);
			for (p in pts)
				g.lineTo(p.x, p.y);
			var end = point(data.categories.length - 0.5, base);
			g.lineTo(end.x, end.y);
			g.lineTo(start.x, start.y);
			g.endFill();
		}
		if (!isShadow && pts.length > 1) {
			// An invisible wide stroke beneath takes the clicks beside the thin line.
			g.lineStyle(9, color, 0);
			g.moveTo(pts[0].x, pts[0].y);
			for (p in pts)
				g.lineTo(p.x, p.y);
		}
		g.lineStyle(2, color);
		for (i in 1...pts.length)
			strokeSegment(g, pts[i - 1], pts[i]);
		g.lineStyle();
		for (p in pts) {
			g.beginFill(color);
			switch (style.marker) {
				case 1: g.drawCircle(p.x, p.y, 3.5);
				case 2: g.drawRect(p.x - 3.5, p.y - 3.5, 7, 7);
				default:
			}
			g.endFill();
		}
	}

	/** One line segment in the style's dash pattern. **/
	function strokeSegment(g:Graphics, a:{x:Float, y:Float}, b:{x:Float, y:Float}) {
		var pattern = switch (style.lineStyle) {
			case "dashed": [8.0, 5.0];
			case "dotted": [2.0, 4.0];
			default: [];
		}
		if (pattern.length == 0) {
			g.moveTo(a.x, a.y);
			g.lineTo(b.x, b.y);
			return;
		}
		var dx = b.x - a.x, dy = b.y - a.y;
		var len = Math.sqrt(dx * dx + dy * dy);
		var pos = 0.0, k = 0;
		while (pos < len) {
			var next = Math.min(len, pos + pattern[k % 2]);
			if (k % 2 == 0) {
				g.moveTo(a.x + dx * pos / len, a.y + dy * pos / len);
				g.lineTo(a.x + dx * next / len, a.y + dy * next / len);
			}
			pos = next;
			k++;
		}
	}

	function pieGeometry():{cx:Float, cy:Float, r:Float} {
		var room = style.valueLabels == 2 ? style.labelFont.size * 2 + 6 : 2;
		return {cx: plot.x + plot.width / 2, cy: plot.y + plot.height / 2, r: Math.max(4, Math.min(plot.width, plot.height) / 2 - room)};
	}

	function pieAngles(s:Int, grow:Float):{from:Float, to:Float} {
		var sum = 0.0, before = 0.0;
		for (i in 0...data.names.length) {
			if (i < s)
				before += data.total(i);
			sum += data.total(i);
		}
		if (sum <= 0)
			return {from: 0, to: 0};
		var turn = 2 * Math.PI * grow;
		return {from: -Math.PI / 2 + turn * before / sum, to: -Math.PI / 2 + turn * (before + data.total(s)) / sum};
	}

	function paintSlice(g:Graphics, s:Int, color:Int, grow:Float) {
		var geo = pieGeometry();
		var a = pieAngles(s, grow);
		if (a.to <= a.from)
			return;
		g.beginFill(color);
		g.moveTo(geo.cx, geo.cy);
		var steps = Std.int(Math.max(2, (a.to - a.from) * 24));
		for (k in 0...steps + 1) {
			var t = a.from + (a.to - a.from) * k / steps;
			g.lineTo(geo.cx + geo.r * Math.cos(t), geo.cy + geo.r * Math.sin(t));
		}
		g.lineTo(geo.cx, geo.cy);
		g.endFill();
	}

	function paintLabels() {
		var inside = style.valueLabels == 1;
		for (s in 0...data.names.length) {
			var contrast = luminance(style.seriesColor(s)) > 140 ? 0x000000 : 0xFFFFFF;
			var filled = style.chartType != "line" && style.chartType != "area";
			var color = inside && filled ? contrast : style.labelFont.color;
			if (style.chartType == "pie") {
				var geo = pieGeometry();
				var a = pieAngles(s, 1);
				var mid = (a.from + a.to) / 2;
				var dist = inside ? geo.r * 0.62 : geo.r + 4 + style.labelFont.size;
				var label = Texts.make(Texts.number(data.total(s), style.numberFormat), style.labelFont, color);
				label.x = geo.cx + dist * Math.cos(mid) - label.width / 2;
				label.y = geo.cy + dist * Math.sin(mid) - label.height / 2;
				labels.addChild(label);
				continue;
			}
			for (i in 0...data.categories.length) {
				var label = Texts.make(Texts.number(data.values[s][i], style.numberFormat), style.labelFont, color);
				if (style.chartType == "line" || style.chartType == "area") {
					var p = linePoints(s, 1)[i];
					label.x = p.x - label.width / 2;
					label.y = inside ? p.y + 4 : p.y - 4 - label.height;
				} else if (horizontal()) {
					var r = barRect(s, i, 1);
					label.x = inside ? r.right - 2 - label.width : r.right + 2;
					label.y = r.y + (r.height - label.height) / 2;
				} else {
					var r = barRect(s, i, 1);
					label.x = r.x + (r.width - label.width) / 2;
					label.y = inside ? r.y + 2 : r.y - label.height;
				}
				labels.addChild(label);
			}
		}
	}

	static function luminance(c:Int):Float {
		return 0.3 * ((c >> 16) & 0xFF) + 0.59 * ((c >> 8) & 0xFF) + 0.11 * (c & 0xFF);
	}
}
