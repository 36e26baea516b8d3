// dds_ii core: phase generator, sine/cosine table and output alignment.
// docs/core.md describes the interfaces, the timing and the latency.
// Several modules share this file, whose name the generator fixes.
/* verilator lint_off DECLFILENAME */

// Fixed-length delay line; DEPTH 0 is a plain wire.
module dds_ii_delay #(
    parameter WIDTH = 1,
    parameter DEPTH = 1
) (
    input  wire             clk,
    input  wire [WIDTH-1:0] d,
    output wire [WIDTH-1:0] q
);
    generate
        if (DEPTH == 0) begin : g_wire
            assign q = d;
            wire unused_clk = clk;
        end else if (DEPTH == 1) begin : g_reg
            reg [WIDTH-1:0] stage;
            always @(posedge clk)
                stage <= d;
            assign q = stage;
        end else begin : g_regs
            reg [WIDTH*DEPTH-1:0] stages;
            always @(posedge clk)
                stages <= {stages[WIDTH*(DEPTH-1)-1:0], d};
            assign q = stages[WIDTH*DEPTH-1 -: WIDTH];
        end
    endgenerate
endmodule

// Counts the beats of a channel-ordered burst (channel 0 first) and checks
// tlast, which must come with the beat of the last channel. Any tlast, and
// the last channel's beat, end the burst: the next beat is channel 0 again.
module dds_ii_framer #(
    parameter NCH = 1,
    parameter CIW = 1
) (
    input  wire           clk,
    input  wire           rst_n,
    input  wire           valid,
    input  wire           tlast,
    output wire [CIW-1:0] chan,       // channel of the current beat
    output wire           complete,   // this beat ends a well-framed burst
    output reg            missing,    // pulse: last channel's beat without tlast
    output reg            unexpected  // pulse: tlast before the last channel
);
    // Power-up value as well as reset: the wrap to 0 depends on the count
    // itself, which a netlist simulation could otherwise never resolve.
    reg  [CIW-1:0] count = {CIW{1'b0}};
    localparam integer LAST_CHANNEL = NCH - 1;
    localparam [CIW-1:0] LAST = LAST_CHANNEL[CIW-1:0];
    wire           last = (count == LAST);

    assign chan = count;
    assign complete = valid && (NCH == 1 || (last && tlast));

    always @(posedge clk) begin
        if (!rst_n) begin
            count <= {CIW{1'b0}};
            missing <= 1'b0;
            unexpected <= 1'b0;
        end else begin
            missing <= valid && NCH > 1 && last && !tlast;
            unexpected <= valid && NCH > 1 && !last && tlast;
            if (valid)
                count <= (last || (tlast && NCH > 1)) ? {CIW{1'b0}} : count + 1'b1;
        end
    end
endmodule

// Phase accumulators of NCH time-multiplexed channels, three stages:
//   1 the input register (slot or beat, its channel, streamed values),
//   2 the accumulator update of that channel,
//   3 the phase offset.
// Without streamed inputs the channels run free, one per clock in round
// robin; with streamed inputs every phase_valid beat is one sample.
module dds_ii_phase_gen #(
    parameter P = 27,
    parameter NCH = 1,
    parameter CIW = 1,
    parameter INC_MODE = 0,      // 0 fixed, 1 programmable, 2 streaming
    parameter OFF_MODE = 0,      // 0 none, 1 fixed, 2 programmable, 3 streaming
    parameter RESYNC = 0,
    parameter PRE = 0,           // delay of the free-running slots before stage 2
    parameter [16*P-1:0] INC_INIT = 0,
    parameter [16*P-1:0] OFF_INIT = 0
) (
    input  wire           clk,
    input  wire           rst_n,
    input  wire           phase_valid,
    input  wire [P-1:0]   phase_inc,
    input  wire           phase_resync,
    input  wire [P-1:0]   phase_off,
    input  wire           phase_tlast,
    input  wire           config_valid,
    input  wire [P-1:0]   config_inc,
    input  wire [P-1:0]   config_off,
    input  wire           config_tlast,
    output wire           phase_tlast_missing,
    output wire           phase_tlast_unexpected,
    output wire           config_tlast_missing,
    output wire           config_tlast_unexpected,
    output reg            valid3,
    output reg  [CIW-1:0] chan3,
    output reg  [P-1:0]   phase3
);
    localparam STREAMED = (INC_MODE == 2 || OFF_MODE == 3) ? 1 : 0;
    localparam CONFIGURED = (INC_MODE == 1 || OFF_MODE == 2) ? 1 : 0;
    localparam integer LAST_CHANNEL = NCH - 1;
    localparam [CIW-1:0] LAST = LAST_CHANNEL[CIW-1:0];

    // Stage 1: which channel is processed, with its streamed values.
    reg           valid1;
    reg [CIW-1:0] chan1;
    reg [P-1:0]   inc1, off1;
    reg           resync1;

    wire [CIW-1:0] beat_chan;
    wire           beat_complete;
    generate
        if (STREAMED) begin : g_stream
            dds_ii_framer #(.NCH(NCH), .CIW(CIW)) framer (
                .clk(clk), .rst_n(rst_n), .valid(phase_valid), .tlast(phase_tlast),
                .chan(beat_chan), .complete(beat_complete),
                .missing(phase_tlast_missing), .unexpected(phase_tlast_unexpected));
        end else begin : g_free
            // Free-running slot counter.
            reg [CIW-1:0] slot = {CIW{1'b0}};   // see count in dds_ii_framer
            always @(posedge clk) begin
                if (!rst_n)
                    slot <= {CIW{1'b0}};
                else
                    slot <= (slot == LAST) ? {CIW{1'b0}} : slot + 1'b1;
            end
            assign beat_chan = slot;
            assign beat_complete = 1'b0;
            assign phase_tlast_missing = 1'b0;
            assign phase_tlast_unexpected = 1'b0;
        end
    endgenerate

    always @(posedge clk) begin
        if (!rst_n)
            valid1 <= 1'b0;
        else
            valid1 <= STREAMED ? phase_valid : 1'b1;
        chan1 <= beat_chan;
        inc1 <= phase_inc;
        off1 <= phase_off;
        resync1 <= RESYNC && phase_resync;
    end

    // Programmed increments and offsets: a burst fills the shadow set, and
    // the whole set becomes active with the burst's last beat.
    wire [P-1:0] prog_inc_sel, prog_off_sel;
    generate
        if (CONFIGURED) begin : g_config
            // Channel c in bits [c*P +: P].
            reg  [NCH*P-1:0] prog_inc, prog_off, shadow_inc, shadow_off;
            reg  [NCH*P-1:0] shadow_inc_next, shadow_off_next;
            wire [CIW-1:0]   config_chan;
            wire             config_complete;
            wire [CIW-1:0]   config_idx = (NCH == 1) ? {CIW{1'b0}} : config_chan;
            dds_ii_framer #(.NCH(NCH), .CIW(CIW)) framer (
                .clk(clk), .rst_n(rst_n), .valid(config_valid), .tlast(config_tlast),
                .chan(config_chan), .complete(config_complete),
                .missing(config_tlast_missing), .unexpected(config_tlast_unexpected));
            always @(*) begin
                shadow_inc_next = shadow_inc;
                shadow_off_next = shadow_off;
                shadow_inc_next[config_idx*P +: P] = config_inc;
                shadow_off_next[config_idx*P +: P] = config_off;
            end
            // The shadow set is reset too, although a complete burst rewrites
            // every channel: gate-level simulation would otherwise carry its
            // power-up X through the channel select into the active set.
            always @(posedge clk) begin
                if (!rst_n) begin
                    shadow_inc <= INC_INIT[NCH*P-1:0];
                    shadow_off <= OFF_INIT[NCH*P-1:0];
                end else if (config_valid) begin
                    shadow_inc <= shadow_inc_next;
                    shadow_off <= shadow_off_next;
                end
                if (!rst_n) begin
                    prog_inc <= INC_INIT[NCH*P-1:0];
                    prog_off <= OFF_INIT[NCH*P-1:0];
                end else if (config_complete) begin
                    prog_inc <= shadow_inc_next;
                    prog_off <= shadow_off_next;
                end
            end
            assign prog_inc_sel = prog_inc[chan*P +: P];
            assign prog_off_sel = prog_off[chan*P +: P];
        end else begin : g_no_config
            assign prog_inc_sel = {P{1'b0}};
            assign prog_off_sel = {P{1'b0}};
            assign config_tlast_missing = 1'b0;
            assign config_tlast_unexpected = 1'b0;
        end
    endgenerate

    // Free-running slots may wait PRE cycles here: nothing else changes the
    // accumulators, so the whole stream is only shifted in time.
    wire           valid1p;
    wire [CIW-1:0] chan1_pre;
    wire [CIW-1:0] chan_ahead;   // the channel of stage 2 one cycle later
    generate
        if (PRE > 0) begin : g_pre
            reg  [PRE-1:0] valid_pre;
            wire [PRE:0]   valid_chain = {valid_pre, valid1};
            always @(posedge clk) begin
                if (!rst_n)
                    valid_pre <= {PRE{1'b0}};
                else
                    valid_pre <= valid_chain[PRE-1:0];
            end
            assign valid1p = valid_chain[PRE];
            dds_ii_delay #(.WIDTH(CIW), .DEPTH(PRE - 1)) pre (
                .clk(clk), .d(chan1), .q(chan_ahead));
            dds_ii_delay #(.WIDTH(CIW), .DEPTH(1)) pre_last (
                .clk(clk), .d(chan_ahead), .q(chan1_pre));
        end else begin : g_no_pre
            assign valid1p = valid1;
            assign chan_ahead = beat_chan;
            assign chan1_pre = chan1;
        end
    endgenerate
    // One channel needs no index: the fabric would not see it is always 0.
    wire [CIW-1:0] chan = (NCH == 1) ? {CIW{1'b0}} : chan1_pre;

    // Several channels look their fixed increment up a cycle ahead, so that
    // only the adder sits before the accumulators.
    wire [CIW-1:0] inc_chan = (NCH == 1) ? {CIW{1'b0}} : chan_ahead;
    wire [P-1:0]   inc_ahead = INC_INIT[inc_chan*P +: P];
    wire [P-1:0]   inc_fixed;
    dds_ii_delay #(.WIDTH(P), .DEPTH((NCH > 1) ? 1 : 0)) inc_next (
        .clk(clk), .d(inc_ahead), .q(inc_fixed));

    // Stage 2: read-modify-write of the channel's accumulator. The sample
    // carries the accumulator as it was; the increment counts from the next.
    reg [NCH*P-1:0] acc;
    reg [P-1:0] inc_sel, off_sel;

    always @(*) begin
        case (INC_MODE)
            1:       inc_sel = prog_inc_sel;
            2:       inc_sel = inc1;
            default: inc_sel = inc_fixed;
        endcase
        case (OFF_MODE)
            1:       off_sel = OFF_INIT[chan*P +: P];
            2:       off_sel = prog_off_sel;
            3:       off_sel = off1;
            default: off_sel = {P{1'b0}};
        endcase
    end

    reg           valid2;
    reg [CIW-1:0] chan2;
    reg [P-1:0]   phase2, off2;
    wire [P-1:0]  current;
    wire [P-1:0]  base = resync1 ? {P{1'b0}} : current;

    // Free-running slots visit the channels in a fixed round: their
    // accumulators form a ring that turns once per slot, the current channel
    // at the bottom, so no multiplexer picks it.
    generate
        if (NCH > 1 && !STREAMED) begin : g_ring
            assign current = acc[P-1:0];
            always @(posedge clk) begin
                if (!rst_n)
                    acc <= {(NCH*P){1'b0}};
                else if (valid1p)
                    acc <= {base + inc_sel, acc[NCH*P-1:P]};
            end
        end else begin : g_indexed
            assign current = acc[chan*P +: P];
            always @(posedge clk) begin
                if (!rst_n)
                    acc <= {(NCH*P){1'b0}};
                else if (valid1p)
                    acc[chan*P +: P] <= base + inc_sel;
            end
        end
    endgenerate

    always @(posedge clk) begin
        if (!rst_n)
            valid2 <= 1'b0;
        else
            valid2 <= valid1p;
        chan2 <= chan;
        phase2 <= base;
        off2 <= off_sel;
    end

    // Stage 3: phase offset.
    always @(posedge clk) begin
        if (!rst_n)
            valid3 <= 1'b0;
        else
            valid3 <= valid2;
        chan3 <= chan2;
        phase3 <= phase2 + off2;
    end

    // Lint: each configuration reads only some of the inputs.
    wire unused_inputs = &{1'b0, beat_complete, inc1, off1, phase_tlast,
                           config_valid, config_tlast,
                           phase_inc, phase_off, config_inc, config_off};
endmodule

// x + inc, with SPLIT in two halves: the low one and its carry registered.
module dds_ii_increment #(
    parameter W = 12,
    parameter SPLIT = 0
) (
    input  wire         clk,
    input  wire [W-1:0] x,
    input  wire         inc,
    output wire [W-1:0] y
);
    generate
        if (SPLIT) begin : g_split
            localparam H = W / 2;
            reg [H:0]     lo;
            reg [W-H-1:0] hi;
            always @(posedge clk) begin
                lo <= {1'b0, x[H-1:0]} + {{H{1'b0}}, inc};
                hi <= x[W-1:H];
            end
            assign y = {hi + {{(W - H - 1){1'b0}}, lo[H]}, lo[H-1:0]};
        end else begin : g_whole
            assign y = x + {{(W - 1){1'b0}}, inc};
            wire unused_clk = clk;
        end
    endgenerate
endmodule

// Taylor-corrected value floor((base * 2^SH + x * d + 2^(SH-1)) / 2^SH),
// saturated to +-(2^(W-1) - 1), where the first row of x * d may differ
// from x: x_set when d[0] is set, x_clear when not. The product is a tree
// of partial sums, each level one short carry chain: rows of x gated by
// the bits of d, summed in pairs over the levels below. Registers: 4, one
// more with SPLIT (the first level); the result is combinational from the
// last one.
module dds_ii_taylor_sum #(
    parameter W = 12,
    parameter SH = 28,
    parameter SPLIT = 0
) (
    input  wire                clk,
    input  wire signed [W-1:0] x,
    input  wire signed [W-1:0] x_set,
    input  wire signed [W-1:0] x_clear,
    input  wire        [18:0]  d,
    input  wire signed [W-1:0] base,
    output wire        [W-1:0] y
);
    localparam VW = SH + W - 15;   // sum bits from 2^16 up
    localparam signed [W:0] TOP = (1 << (W - 1)) - 1;
    wire [19:0]         dx = {1'b0, d};
    wire signed [W+1:0] xe = {{2{x[W-1]}}, x};
    wire signed [W+1:0] xe_set = {{2{x_set[W-1]}}, x_set};
    wire signed [W+1:0] xe_clear = {{2{x_clear[W-1]}}, x_clear};

`ifdef DDS_II_HARD_MULT
    // Parts with hard multipliers (the user's flow defines DDS_II_HARD_MULT):
    // x * d[15:0] read as signed, which fits a 16 x 16 multiplier for W <= 16,
    // plus the first row's difference from x * d[0], in one multiply-add with
    // registered inputs, product (twice with SPLIT) and output. The signed
    // reading takes d[15] x 2^16 away: that row joins d[18:16]'s rows,
    // summed beside the multiplier from 2^16 up.
    wire signed [W+1:0] first = dx[0] ? xe_set - xe : xe_clear;
    wire signed [W+3:0] xw = {{4{x[W-1]}}, x};
    reg signed [W-1:0]  xa;
    reg signed [15:0]   da;
    reg signed [W+3:0]  a1, b1;
    reg [W-1:0]         base1;
    always @(posedge clk) begin
        xa <= x;
        da <= dx[15:0];
        a1 <= (dx[15] ? xw : {(W+4){1'b0}}) + (dx[16] ? xw : {(W+4){1'b0}});
        b1 <= ((dx[17] ? xw : {(W+4){1'b0}}) <<< 1) + ((dx[18] ? xw : {(W+4){1'b0}}) <<< 2);
        base1 <= base;
    end

    reg signed [W+15:0] m2;
    reg signed [W+3:0]  c2;
    reg [W-1:0]         base2;
    always @(posedge clk) begin
        m2 <= xa * da;
        c2 <= a1 + b1;
        base2 <= base1;
    end

    // The difference waits in the multiplier's addend register.
    wire signed [W+1:0]  first_late;
    wire signed [W+15:0] m_late;
    dds_ii_delay #(.WIDTH(W + 2), .DEPTH(1 + SPLIT)) first_wait (
        .clk(clk), .d(first), .q(first_late));
    dds_ii_delay #(.WIDTH(W + 16), .DEPTH(SPLIT)) product (
        .clk(clk), .d(m2), .q(m_late));
    reg signed [W+15:0]  addend;
    always @(posedge clk)
        addend <= {{14{first_late[W+1]}}, first_late};

    wire signed [VW-1:0] c2e = {{(VW-W-4){c2[W+3]}}, c2};
    wire signed [VW-1:0] based = {base2[W-1], base2, 1'b1, {(SH-17){1'b0}}};
    reg [VW-1:0]         v3;
    always @(posedge clk)
        v3 <= based + c2e;

    reg signed [W+15:0]  u4;
    wire [VW-1:0]        v4;
    always @(posedge clk)
        u4 <= m_late + addend;
    dds_ii_delay #(.WIDTH(VW), .DEPTH(SPLIT)) rows (
        .clk(clk), .d(v3), .q(v4));
    wire unused_top = dx[19];
`else
    // Level 1: x * d[2j+1:2j], ten of them.
    wire [10*(W+2)-1:0] q_next;
    genvar j;
    generate
        for (j = 0; j < 10; j = j + 1) begin : g_pairs
            wire signed [W+1:0] lo = (j == 0) ? (dx[0] ? xe_set : xe_clear)
                                              : (dx[2*j] ? xe : {(W+2){1'b0}});
            wire signed [W+1:0] hi = dx[2*j+1] ? xe : {(W+2){1'b0}};
            assign q_next[j*(W+2) +: W+2] = lo + (hi <<< 1);
        end
    endgenerate
    wire [10*(W+2)-1:0] q;
    wire [W-1:0]        base1;
    dds_ii_delay #(.WIDTH(10 * (W + 2) + W), .DEPTH(SPLIT)) level1 (
        .clk(clk), .d({q_next, base}), .q({q, base1}));

    // Level 2: x * d[4j+3:4j], five of them.
    reg [5*(W+4)-1:0] r;
    reg [W-1:0]       base2;
    generate
        for (j = 0; j < 5; j = j + 1) begin : g_quads
            wire [W+1:0]        q_lo = q[2*j*(W+2) +: W+2];
            wire [W+1:0]        q_hi = q[(2*j+1)*(W+2) +: W+2];
            wire signed [W+3:0] lo = {{2{q_lo[W+1]}}, q_lo};
            wire signed [W+3:0] hi = {{2{q_hi[W+1]}}, q_hi};
            always @(posedge clk)
                r[j*(W+4) +: W+4] <= lo + (hi <<< 2);
        end
    endgenerate
    always @(posedge clk)
        base2 <= base1;

    // Level 3: x * d[7:0], x * d[15:8], and the base with the rounding half
    // plus x * d[19:16], all from 2^16 up.
    wire [W+3:0]         r0 = r[0 +: W+4];
    wire [W+3:0]         r1 = r[(W+4) +: W+4];
    wire [W+3:0]         r2 = r[2*(W+4) +: W+4];
    wire [W+3:0]         r3 = r[3*(W+4) +: W+4];
    wire [W+3:0]         r4 = r[4*(W+4) +: W+4];
    wire signed [W+7:0]  r0e = {{4{r0[W+3]}}, r0};
    wire signed [W+7:0]  r1e = {{4{r1[W+3]}}, r1};
    wire signed [W+7:0]  r2e = {{4{r2[W+3]}}, r2};
    wire signed [W+7:0]  r3e = {{4{r3[W+3]}}, r3};
    wire signed [VW-1:0] r4e = {{(VW-W-4){r4[W+3]}}, r4};
    wire signed [VW-1:0] based = {base2[W-1], base2, 1'b1, {(SH-17){1'b0}}};
    reg signed [W+7:0]   t0, t1;
    reg [VW-1:0]         v3;
    always @(posedge clk) begin
        t0 <= r0e + (r1e <<< 4);
        t1 <= r2e + (r3e <<< 4);
        v3 <= based + r4e;
    end

    // Level 4: x * d[15:0].
    wire signed [W+15:0] t0e = {{8{t0[W+7]}}, t0};
    wire signed [W+15:0] t1e = {{8{t1[W+7]}}, t1};
    reg signed [W+15:0]  u4;
    reg [VW-1:0]         v4;
    always @(posedge clk) begin
        u4 <= t0e + (t1e <<< 8);
        v4 <= v3;
    end
`endif

    // Level 5: the whole sum; its low 16 bits are u4's, with no carry out.
    wire [VW-1:0] u_high = {{(VW-W){u4[W+15]}}, u4[W+15:16]};
    wire [VW-1:0] total = u_high + v4;
    reg signed [W:0] y5;
    always @(posedge clk)
        y5 <= total[VW-1 -: W+1];

    // Saturation from the top bits: above TOP is 01x..x, below -TOP is
    // 10x..x or 110..0.
    wire over = !y5[W] && y5[W-1];
    wire under = y5[W] && (!y5[W-1] || y5[W-2:0] == {(W-1){1'b0}});
    assign y = over ? TOP[W-1:0] : under ? -TOP[W-1:0] : y5[W-1:0];
    wire unused_low = &{1'b0, u4[15:0], total};
endmodule

// Sine and cosine of the top A = P - T phase bits from the octant table
// (entries (0, pi/4], the angle-0 entry implied), unfolded to the full
// circle. With TAYLOR the next bits of the phase correct the result to
// first order: sin(x+d) = sin x + d cos x, cos(x+d) = cos x - d sin x.
// Registers: 2 without Taylor, one more with INV_REG, which registers the
// unfolded magnitudes, inverted, before the negation's increment; 7 with
// Taylor, one more with SPLIT, which registers the first partial products.
// INC_SPLIT (with INV_REG) adds one between the halves of the increment.
// READ_REG (with INV_REG or Taylor) adds one that registers the table word
// before the unfolding. The result is combinational from the last one.
module dds_ii_sincos #(
    parameter P = 12,
    parameter W = 12,
    parameter T = 0,
    parameter TAYLOR = 0,
    parameter INV_REG = 0,
    parameter READ_REG = 0,
    parameter SPLIT = 0,
    parameter INC_SPLIT = 0,
    parameter LUT_FILE = ""
) (
    input  wire         clk,
    input  wire [P-1:0] phase,
    output wire [W-1:0] sine,
    output wire [W-1:0] cosine
);
    localparam A = P - T;                 // table address bits
    localparam AE = (A < 3) ? 3 : A;      // small tables act as an 8-entry one
    localparam RB = AE - 3;               // octant table address bits
    localparam RBX = (RB > 0) ? RB : 1;
    localparam [W-1:0] AMP = (1 << (W - 1)) - 2;
    localparam FB = (T < 16) ? T : 16;    // phase bits used for the correction
    localparam FBX = (FB > 0) ? FB : 1;
    localparam KB = 16;                   // fraction bits of 2*pi

    // Stage 1: octant, index into the octant table, correction fraction.
    wire [AE-1:0]  addr = {phase[P-1 -: A], {(AE - A){1'b0}}};
    wire [2:0]     octant = addr[AE-1 -: 3];
    wire [RBX-1:0] pos = (RB > 0) ? addr[RBX-1:0] : {RBX{1'b0}};
    wire [FBX-1:0] frac = (FB > 0) ? phase[(T > 0 ? T - 1 : 0) -: FBX] : {FBX{1'b0}};

    reg [2:0]     octant1;
    reg           zero1;        // angle k = 0: sine 0, cosine AMP
    reg [RBX-1:0] rom_addr1;    // table entry k is held at k - 1
    always @(posedge clk) begin
        octant1 <= octant;
        zero1 <= !octant[0] && pos == 0;
        // Odd octants run backwards: k = 2^RB - pos, stored at ~pos.
        rom_addr1 <= octant[0] ? ~pos : pos - 1'b1;
    end

    // Stage 2: table read.
    reg [2*W-1:0] entry2;
    reg [2:0]     octant2;
    reg           zero2;
    generate
        if (A >= 3) begin : g_rom
            reg [2*W-1:0] rom [0:(1 << RB) - 1];
            // Without a file name (the defaults a tool may elaborate on its
            // own) the table stays empty rather than reading a stray file.
            if (LUT_FILE != "") begin : g_load
                initial $readmemh(LUT_FILE, rom);
            end
            always @(posedge clk)
                entry2 <= rom[rom_addr1];
        end else begin : g_no_rom
            // Tables of 2 or 4 entries only hold multiples of pi/2.
            always @(posedge clk)
                entry2 <= {2*W{1'b0}};
        end
    endgenerate
    always @(posedge clk) begin
        octant2 <= octant1;
        zero2 <= zero1;
    end

    // Octant symmetry: the implied angle-0 entry, then the swap and signs.
    wire [W-1:0] s_tab = zero2 ? {W{1'b0}} : entry2[2*W-1:W];
    wire [W-1:0] c_tab = zero2 ? AMP : entry2[W-1:0];

    // The block RAM's output is slow: with a cycle to spare, a fabric
    // register keeps it off the rest of the unfolding.
    wire [W-1:0] s_oct, c_oct;
    wire         swap, s_neg, c_neg;
    dds_ii_delay #(.WIDTH(2 * W + 3), .DEPTH(READ_REG)) read (
        .clk(clk),
        .d({s_tab, c_tab, octant2[0] ^ octant2[1], octant2[2], octant2[2] ^ octant2[1]}),
        .q({s_oct, c_oct, swap, s_neg, c_neg}));

    wire [W-1:0] s_mag = swap ? c_oct : s_oct;
    wire [W-1:0] c_mag = swap ? s_oct : c_oct;

    generate
        if (TAYLOR) begin : g_taylor
            // d = round(2*pi * frac) in units of 2^-KB of one table step,
            // 2*pi*2^KB = 201 * 2^11 + 127 = (3 * 2^6 + 9) * 2^11 + 128 - 1:
            // three levels of short adds beside the fold, read and unfold.
            localparam [FBX+6:0] ROUND = (FB > 0) ? 1 << (FB - 1) : 0;
            reg [FBX+1:0] f3_1;
            reg [FBX+3:0] f9_1;
            reg [FBX+6:0] f127_1;
            always @(posedge clk) begin
                f3_1 <= {1'b0, frac, 1'b0} + {2'b0, frac};
                f9_1 <= {1'b0, frac, 3'b0} + {4'b0, frac};
                f127_1 <= {frac, 7'b0} - {7'b0, frac};
            end
            reg [FBX+7:0] f201_2;
            reg [FBX+6:0] f127r_2;
            always @(posedge clk) begin
                f201_2 <= {f3_1, 6'b0} + {4'b0, f9_1};
                f127r_2 <= f127_1 + ROUND;
            end
            // The table word's fabric register, if any, delays these too.
            wire [FBX+7:0] f201_u;
            wire [FBX+6:0] f127r_u;
            dds_ii_delay #(.WIDTH(2 * FBX + 15), .DEPTH(READ_REG)) frac_read (
                .clk(clk), .d({f201_2, f127r_2}), .q({f201_u, f127r_u}));
            wire [FBX+18:0] frac_k = {f201_u, 11'b0} + {12'b0, f127r_u};

            // Stage 3: full-circle sine and cosine, the sine negated, d;
            // -x as ~x + 1, so that the sign selects no carry chain.
            wire [W-1:0]       w_one = {{(W - 1){1'b0}}, 1'b1};
            reg signed [W-1:0] s3, c3, ns3;
            reg [KB+2:0]       d3;
            always @(posedge clk) begin
                s3 <= (s_mag ^ {W{s_neg}}) + (w_one & {W{s_neg}});
                c3 <= (c_mag ^ {W{c_neg}}) + (w_one & {W{c_neg}});
                ns3 <= (s_mag ^ {W{!s_neg}}) + (w_one & {W{!s_neg}});
                d3 <= frac_k[FB +: KB + 3];
            end

            // sin x + d cos x and cos x - d sin x, each rounded as one sum;
            // cos x - round(d sin x) = floor(cos x + (-sin x) d - 1 + half),
            // the -1 folded into the first partial product.
            dds_ii_taylor_sum #(.W(W), .SH(KB + A), .SPLIT(SPLIT)) sum_sin (
                .clk(clk), .x(c3), .x_set(c3), .x_clear({W{1'b0}}), .d(d3), .base(s3),
                .y(sine));
            dds_ii_taylor_sum #(.W(W), .SH(KB + A), .SPLIT(SPLIT)) sum_cos (
                .clk(clk), .x(ns3), .x_set(~s3), .x_clear({W{1'b1}}), .d(d3), .base(c3),
                .y(cosine));
            wire unused_frac = &{1'b0, frac_k};
        end else if (INV_REG) begin : g_inv_reg
            // -x = ~x + 1: the inversion before the register, only the
            // increment's carry after it.
            reg [W-1:0] s_inv, c_inv;
            reg         s_inc, c_inc;
            always @(posedge clk) begin
                s_inv <= s_mag ^ {W{s_neg}};
                c_inv <= c_mag ^ {W{c_neg}};
                s_inc <= s_neg;
                c_inc <= c_neg;
            end
            dds_ii_increment #(.W(W), .SPLIT(INC_SPLIT)) s_add (
                .clk(clk), .x(s_inv), .inc(s_inc), .y(sine));
            dds_ii_increment #(.W(W), .SPLIT(INC_SPLIT)) c_add (
                .clk(clk), .x(c_inv), .inc(c_inc), .y(cosine));
        end else begin : g_plain
            assign sine = s_neg ? -s_mag : s_mag;
            assign cosine = c_neg ? -c_mag : c_mag;
        end
    endgenerate

    // Lint: the phase bits below the correction fraction are dropped.
    wire unused_phase = &{1'b0, phase, frac};
endmodule

// The core: phase generator (4 registers: input, accumulator, offset,
// dither or truncation), table (3 registers without Taylor, 8 with it),
// DELAY extra registers and the output register. Outputs hold their last
// valid sample while data_valid is low and are 0 after reset.
module dds_ii_core #(
    parameter P = 27,
    parameter W = 12,
    parameter T = 15,
    parameter NCH = 1,
    parameter CIW = 1,
    parameter DELAY = 0,
    parameter WORKMODE = 0,   // 0 phase generator and table, 1 phase generator, 2 table
    parameter DITHER = 0,
    parameter TAYLOR = 0,
    parameter INC_MODE = 0,
    parameter OFF_MODE = 0,
    parameter RESYNC = 0,
    parameter [16*P-1:0] INC_INIT = 0,
    parameter [16*P-1:0] OFF_INIT = 0,
    parameter LUT_FILE = ""
) (
    input  wire           clk,
    input  wire           rst_n,
    input  wire           phase_valid,
    input  wire [P-1:0]   phase_in,
    input  wire [P-1:0]   phase_inc,
    input  wire           phase_resync,
    input  wire [P-1:0]   phase_off,
    input  wire           phase_tlast,
    input  wire           config_valid,
    input  wire [P-1:0]   config_inc,
    input  wire [P-1:0]   config_off,
    input  wire           config_tlast,
    output wire           phase_tlast_missing,
    output wire           phase_tlast_unexpected,
    output wire           config_tlast_missing,
    output wire           config_tlast_unexpected,
    output reg  [P-1:0]   phase_out,
    output reg  [W-1:0]   sine,
    output reg  [W-1:0]   cosine,
    output reg  [CIW-1:0] chan_id,
    output reg            data_valid
);
    localparam HAS_PG = (WORKMODE != 2) ? 1 : 0;
    localparam HAS_LUT = (WORKMODE != 1) ? 1 : 0;
    localparam LUT_REGS = TAYLOR ? 7 : 2;          // table registers before the output register
    localparam DB = (T < 16) ? T : 16;             // dither bits
    localparam DITHERED = (DITHER && DB > 0) ? 1 : 0;
    // Without dither stage 4 is a plain delay: the table starts from the
    // offset phase one cycle early and spends the cycle splitting the
    // negation's increment off the unfolding, or with the Taylor correction
    // registering its first partial products.
    localparam EARLY = (HAS_PG && HAS_LUT && !DITHERED) ? 1 : 0;
    // Otherwise an extra cycle of latency, if there is one, does that.
    localparam INV_REG = (!TAYLOR && (EARLY || DELAY > 0)) ? 1 : 0;
    localparam SPLIT = (TAYLOR && (EARLY || DELAY > 0)) ? 1 : 0;
    localparam FIRST_ABSORBED = (HAS_LUT && (INV_REG || SPLIT) && !EARLY) ? 1 : 0;
    // A further cycle, if there is one, registers the table word.
    localparam READ_REG = (HAS_LUT && DELAY > FIRST_ABSORBED) ? 1 : 0;
    // A third splits the negation's increment in halves, when it is a
    // longer carry chain than the accumulator's.
    localparam INC_SPLIT = (HAS_LUT && INV_REG && W > P && DELAY > FIRST_ABSORBED + READ_REG) ? 1 : 0;
    localparam ABSORBED = FIRST_ABSORBED + READ_REG + INC_SPLIT;
    localparam TABLE_REGS = LUT_REGS + ABSORBED;
    localparam REST = DELAY - ABSORBED;
    // The rest of the delay costs least before the accumulators, where the
    // free-running slots are only a valid bit and a channel.
    localparam CLOSED = (HAS_PG && INC_MODE == 0 && OFF_MODE < 2) ? 1 : 0;
    localparam PRE = CLOSED ? REST : 0;
    localparam OUT_DELAY = REST - PRE;
    // One free-running channel steps by the same increment every sample:
    // phase_out counts by itself instead of travelling down the pipeline.
    localparam COUNTED = (CLOSED && NCH == 1) ? 1 : 0;
    localparam [P-1:0] FIRST_PHASE = (OFF_MODE == 1) ? OFF_INIT[P-1:0] : {P{1'b0}};

    // One dither draw: 16 steps of a 32-bit Galois LFSR.
    function automatic [31:0] lfsr_draw(input [31:0] state);
        integer k;
        begin
            lfsr_draw = state;
            for (k = 0; k < 16; k = k + 1)
                lfsr_draw = lfsr_draw[0] ? ((lfsr_draw >> 1) ^ 32'h80200003) : (lfsr_draw >> 1);
        end
    endfunction
    localparam [31:0] FIRST_DRAW = lfsr_draw(32'h1d872b41);

    // Sample entering the table: valid, channel, phase for phase_out, and
    // the (dithered) phase that addresses the table.
    wire           valid4;
    wire [CIW-1:0] chan4;
    wire [P-1:0]   phase4, lut_phase4;

    generate
        if (HAS_PG) begin : g_pg
            wire           valid3;
            wire [CIW-1:0] chan3;
            wire [P-1:0]   phase3;
            dds_ii_phase_gen #(
                .P(P), .NCH(NCH), .CIW(CIW), .INC_MODE(INC_MODE), .OFF_MODE(OFF_MODE),
                .RESYNC(RESYNC), .PRE(PRE), .INC_INIT(INC_INIT), .OFF_INIT(OFF_INIT)
            ) pg (
                .clk(clk), .rst_n(rst_n),
                .phase_valid(phase_valid), .phase_inc(phase_inc), .phase_resync(phase_resync),
                .phase_off(phase_off), .phase_tlast(phase_tlast),
                .config_valid(config_valid), .config_inc(config_inc), .config_off(config_off),
                .config_tlast(config_tlast),
                .phase_tlast_missing(phase_tlast_missing),
                .phase_tlast_unexpected(phase_tlast_unexpected),
                .config_tlast_missing(config_tlast_missing),
                .config_tlast_unexpected(config_tlast_unexpected),
                .valid3(valid3), .chan3(chan3), .phase3(phase3));

            // Stage 4: dither of the dropped bits (one LFSR draw per sample)
            // or plain truncation.
            reg           v4;
            reg [CIW-1:0] c4;
            reg [P-1:0]   p4, lp4;
            wire [P-1:0]  dither;
            if (DITHERED) begin : g_dither
                // The register holds the draw of the next sample, already
                // stepped: its XOR network stays off the dither add.
                reg [31:0] draw;
                always @(posedge clk) begin
                    if (!rst_n)
                        draw <= FIRST_DRAW;
                    else if (valid3)
                        draw <= lfsr_draw(draw);
                end
                assign dither = {{(P - DB){1'b0}}, draw[DB-1:0]} << (T - DB);
                wire unused_draw = &{1'b0, draw};
            end else begin : g_no_dither
                assign dither = {P{1'b0}};
            end
            always @(posedge clk) begin
                if (!rst_n)
                    v4 <= 1'b0;
                else
                    v4 <= valid3;
                c4 <= chan3;
                p4 <= phase3;
                lp4 <= phase3 + dither;
            end
            assign valid4 = v4;
            assign chan4 = c4;
            assign phase4 = p4;
            assign lut_phase4 = EARLY ? phase3 : lp4;
            wire unused_lut_only = &{1'b0, phase_in};
        end else begin : g_lut_only
            // The table alone is addressed by phase_i directly.
            assign valid4 = phase_valid;
            assign chan4 = {CIW{1'b0}};
            assign phase4 = phase_in;
            assign lut_phase4 = phase_in;
            assign phase_tlast_missing = 1'b0;
            assign phase_tlast_unexpected = 1'b0;
            assign config_tlast_missing = 1'b0;
            assign config_tlast_unexpected = 1'b0;
            wire unused_pg = &{1'b0, phase_inc, phase_resync, phase_off, phase_tlast,
                               config_valid, config_inc, config_off, config_tlast};
        end
    endgenerate

    // Table, or for the phase generator alone, the same number of registers.
    wire [W-1:0] lut_sine, lut_cosine;
    generate
        if (HAS_LUT) begin : g_lut
            dds_ii_sincos #(
                .P(P), .W(W), .T(T), .TAYLOR(TAYLOR), .INV_REG(INV_REG), .READ_REG(READ_REG),
                .SPLIT(SPLIT), .INC_SPLIT(INC_SPLIT), .LUT_FILE(LUT_FILE)
            ) lut (
                .clk(clk), .phase(lut_phase4), .sine(lut_sine), .cosine(lut_cosine));
        end else begin : g_no_lut
            assign lut_sine = {W{1'b0}};
            assign lut_cosine = {W{1'b0}};
            wire unused_lut_phase = &{1'b0, lut_phase4};
        end
    endgenerate

    // Side band travelling beside the table; valid is reset so that the
    // pipeline empties cleanly.
    reg [TABLE_REGS+OUT_DELAY-1:0] valid_pipe;
    always @(posedge clk) begin
        if (!rst_n)
            valid_pipe <= {(TABLE_REGS+OUT_DELAY){1'b0}};
        else
            valid_pipe <= {valid_pipe[TABLE_REGS+OUT_DELAY-2:0], valid4};
    end

    wire [CIW-1:0] chan_l;
    wire [P-1:0]   phase_l;
    dds_ii_delay #(.WIDTH(CIW + P), .DEPTH(TABLE_REGS)) side (
        .clk(clk), .d({chan4, phase4}), .q({chan_l, phase_l}));

    // Extra latency.
    wire [CIW-1:0] chan_d;
    wire [P-1:0]   phase_d;
    wire [W-1:0]   sine_d, cosine_d;
    dds_ii_delay #(.WIDTH(CIW + P + 2 * W), .DEPTH(OUT_DELAY)) extra (
        .clk(clk), .d({chan_l, phase_l, lut_sine, lut_cosine}),
        .q({chan_d, phase_d, sine_d, cosine_d}));

    // Output register.
    reg started;   // a sample has left since reset
    always @(posedge clk) begin
        if (!rst_n) begin
            data_valid <= 1'b0;
            started <= 1'b0;
            phase_out <= {P{1'b0}};
            sine <= {W{1'b0}};
            cosine <= {W{1'b0}};
            chan_id <= {CIW{1'b0}};
        end else begin
            data_valid <= valid_pipe[TABLE_REGS+OUT_DELAY-1];
            if (valid_pipe[TABLE_REGS+OUT_DELAY-1]) begin
                started <= 1'b1;
                if (!COUNTED)
                    phase_out <= phase_d;
                else if (started)
                    phase_out <= phase_out + INC_INIT[P-1:0];
                else
                    phase_out <= FIRST_PHASE;
                sine <= sine_d;
                cosine <= cosine_d;
                chan_id <= chan_d;
            end
        end
    end
endmodule
